#include "model/NodeStorage.h"

#include "model/BookContent.h"
#include "model/DataBase.h"
#include "model/IKRelations.h"

#include <algorithm>
#include <utility>

NodeStorage::NodeStorage(DataBase& db)
    : m_db(db)
    , m_books(std::make_unique<NodePool<int, Book>>())
    , m_content(std::make_unique<BookContent>())
{
}

NodeStorage::~NodeStorage() = default;

bool NodeStorage::LoadBooks(const QStringList& candidates, const BookChoice& preferred)
{
    auto books = std::make_unique<NodePool<int, Book>>();
    // A start reads the files up to the one with the book it shows; the
    // list of the others is not needed before the window is up.
    const QStringList unread = Discover(candidates, *books, preferred.bid != 0 ? &preferred : nullptr);
    if (!unread.isEmpty()) {
        if (Switch(*Find(books->List(), preferred), &books)) {
            m_unreadable.clear();
            m_undiscovered = unread;
            return true;
        }
        Discover(unread, *books, nullptr); // tried again below, in the usual order
    }
    if (books->Empty())
        return false;
    // The book the teacher worked on last is read instead of the first,
    // not after it.
    const std::vector<Book*> list = books->List();
    std::vector<const Book*> order(list.begin(), list.end());
    if (const Book* first = Find(list, preferred)) {
        order.erase(std::find(order.begin(), order.end(), first));
        order.insert(order.begin(), first);
    }
    // A damaged book file must not keep the good ones from being used.
    QStringList unreadable;
    for (const Book* book : order) {
        if (Switch(*book, &books)) {
            m_unreadable = unreadable;
            m_undiscovered.clear();
            return true;
        }
        if (!unreadable.contains(book->path))
            unreadable.append(book->path);
    }
    return false;
}

QStringList NodeStorage::Discover(const QStringList& files, NodePool<int, Book>& books, const BookChoice* wanted)
{
    for (qsizetype i = 0; i < files.size(); ++i) {
        std::vector<std::unique_ptr<Book>> found;
        DataBase::DiscoverBooks({files[i]}, found);
        bool holdsWanted = false;
        for (auto& book : found) {
            holdsWanted = holdsWanted || (wanted && book->bid == wanted->bid && book->dbid == wanted->dbid);
            const int bid = book->bid;
            books.Add(bid, std::move(book));
        }
        if (holdsWanted)
            return files.mid(i + 1);
    }
    return {};
}

void NodeStorage::DiscoverTheRest() const
{
    if (!m_undiscovered.isEmpty())
        Discover(std::exchange(m_undiscovered, {}), *m_books, nullptr);
}

const std::vector<Book*>& NodeStorage::Books() const
{
    DiscoverTheRest();
    return m_books->List();
}

const NodePool<int, Book>& NodeStorage::BookPool() const
{
    DiscoverTheRest();
    return *m_books;
}

// While files are left unread, the current book is the first of the list
// with the ids LoadBooks was asked for: the reading stopped at its file.
const Book* NodeStorage::Find(const BookChoice& choice) const
{
    if (!m_undiscovered.isEmpty() && m_current && m_current->bid == choice.bid && m_current->dbid == choice.dbid)
        return m_current;
    return Find(Books(), choice);
}

const Book* NodeStorage::Find(const std::vector<Book*>& books, const BookChoice& choice)
{
    if (choice.bid == 0)
        return nullptr;
    const Book* sameBid = nullptr;
    for (const Book* book : books) {
        if (book->bid != choice.bid)
            continue;
        if (book->dbid == choice.dbid)
            return book;
        if (!sameBid)
            sameBid = book;
    }
    return sameBid;
}

bool NodeStorage::SelectBook(int bid)
{
    if (bid != 0 && bid == CurrentBid())
        return true;
    const Book* book = BookPool().Find(bid);
    if (!book)
        return false;
    return Switch(*book, nullptr);
}

bool NodeStorage::SelectBook(const Book& book)
{
    if (&book == m_current)
        return true;
    return Switch(book, nullptr);
}

// On success `books`, when given, becomes the book list (and receives the
// previous one).
bool NodeStorage::Switch(const Book& book, std::unique_ptr<NodePool<int, Book>>* books)
{
    DataBase staging;
    staging.SetUserEnabled(false);
    if (staging.OpenBook(book.path) != 0)
        return false;
    auto content = std::make_unique<BookContent>();
    if (!content->Load(staging, book.bid))
        return false;

    // Everything is read: only now let go of the current book.
    m_db.TakeBookFrom(staging);
    IKRelations::ReplaceAll(content->relations);
    m_content.swap(content);
    if (books)
        m_books.swap(*books);
    m_current = &book;
    return true;
}

int NodeStorage::SentencesOf(int qid, std::vector<Sentence*>& out)
{
    out.clear();
    if (CurrentBid() == 0 || m_content->keywords.Empty())
        return 0;
    if (!m_content->loadedQids.count(qid) && !LoadSentences(qid))
        return 0;
    for (Sentence* sentence : m_content->loadedSentences)
        if (sentence->qid == qid)
            out.push_back(sentence);
    return static_cast<int>(out.size());
}

bool NodeStorage::LoadSentences(int qid)
{
    std::vector<std::unique_ptr<Sentence>> read;
    if (m_db.ReadSentences(qid, read) != 0)
        return false;
    BookContent& content = *m_content;
    content.loadedSentences.reserve(content.loadedSentences.size() + read.size());
    Keyword* lastKeyword = nullptr;
    for (auto& fresh : read) {
        Sentence* sentence = content.sentences.Find(fresh->sid);
        if (!sentence) { // not fetched before by SentenceById
            const int sid = fresh->sid;
            sentence = content.sentences.Add(sid, std::move(fresh));
            content.loadedSentences.push_back(sentence);
        }
        LinkKeyword(*sentence, lastKeyword);
    }
    content.loadedQids.insert(qid);
    std::stable_sort(content.loadedSentences.begin(), content.loadedSentences.end(),
        [](const Sentence* a, const Sentence* b) { return a->sort_key < b->sort_key; });
    return true;
}

// Consecutive sentences of one keyword reuse the previous lookup.
void NodeStorage::LinkKeyword(Sentence& sentence, Keyword*& lastKeyword) const
{
    if (!lastKeyword || lastKeyword->kid != sentence.kid)
        lastKeyword = m_content->keywords.Find(sentence.kid);
    sentence.keyword = lastKeyword;
}

Sentence* NodeStorage::SentenceById(int sid)
{
    if (Sentence* pooled = m_content->sentences.Find(sid))
        return pooled;
    if (CurrentBid() == 0)
        return nullptr;
    std::unique_ptr<Sentence> read = m_db.ReadSentence(sid);
    if (!read)
        return nullptr;
    Sentence* sentence = m_content->sentences.Add(sid, std::move(read));
    m_content->loadedSentences.push_back(sentence);
    Keyword* noPrevious = nullptr;
    LinkKeyword(*sentence, noPrevious);
    return sentence;
}

int NodeStorage::CurrentBid() const
{
    return m_content->bid;
}

const Book* NodeStorage::CurrentBook() const
{
    return m_current;
}

Index* NodeStorage::Root() const
{
    return m_content->root;
}

const std::vector<Question*>& NodeStorage::Questions() const
{
    return m_content->questions.List();
}

const std::vector<Keyword*>& NodeStorage::Keywords() const
{
    return m_content->keywords.List();
}

const std::vector<Sentence*>& NodeStorage::LoadedSentences() const
{
    return m_content->loadedSentences;
}

const std::vector<AttrClass*>& NodeStorage::AttrClasses() const
{
    return m_content->attrClasses.List();
}

const NodePool<int, Index>& NodeStorage::IndexPool() const
{
    return m_content->indices;
}

const NodePool<int, Question>& NodeStorage::QuestionPool() const
{
    return m_content->questions;
}

const NodePool<int, Keyword>& NodeStorage::KeywordPool() const
{
    return m_content->keywords;
}

const NodePool<int, Sentence>& NodeStorage::SentencePool() const
{
    return m_content->sentences;
}

const NodePool<int, AttrClass>& NodeStorage::AttrClassPool() const
{
    return m_content->attrClasses;
}

bool NodeStorage::HasRelation(int iid, int kid)
{
    return IKRelations::HasRelation(iid, kid);
}
