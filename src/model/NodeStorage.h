#pragma once

#include "model/AttrClass.h"
#include "model/Book.h"
#include "model/Index.h"
#include "model/Keyword.h"
#include "model/NodePool.h"
#include "model/Question.h"
#include "model/Sentence.h"

#include <QStringList>

#include <memory>
#include <vector>

class BookContent;
class DataBase;

// The content of the selected book, owned in pools and looked up by id.
// Everyone else holds plain pointers to its nodes; they stay valid until
// another book is selected (or the book list is loaded again).
//
// A book switch is all or nothing: the new book is read completely into
// fresh pools over a fresh connection before anything of the current book
// is released. A failed switch leaves the current book, its database
// connection and every node untouched.
class NodeStorage {
public:
    explicit NodeStorage(DataBase& db);
    NodeStorage(const NodeStorage&) = delete;
    NodeStorage& operator=(const NodeStorage&) = delete;
    virtual ~NodeStorage();

    // The book a start-up should open first, as the user database names it
    // (its database id and book id); none when bid is 0.
    struct BookChoice {
        QString dbid;
        int bid = 0;
    };

    // Discovers the books of the candidate files and selects `preferred`
    // where it is among them and can be read, else the first one that can
    // be read (a start opens only the book it shows). False (and nothing
    // changed) when no book was found or none can be read. Once `preferred`
    // is read, the files after the one holding it are read when the book
    // list is first wanted.
    bool LoadBooks(const QStringList& candidates, const BookChoice& preferred);
    bool LoadBooks(const QStringList& candidates) { return LoadBooks(candidates, BookChoice()); }
    // The files of the books that LoadBooks passed over because they could
    // not be read, in the order they were tried; they stay in the book list.
    const QStringList& UnreadableFiles() const { return m_unreadable; }
    // The book of `books` with the database and book id of `choice`; where
    // none has that database, the first with the book id; null when none.
    static const Book* Find(const std::vector<Book*>& books, const BookChoice& choice);
    // The same in the book list, without reading the rest of it when the
    // current book is the one LoadBooks was asked for.
    const Book* Find(const BookChoice& choice) const;
    // True at once for the current book; false for an unknown bid or a book
    // that cannot be loaded. Where files share a bid, the first book with it.
    bool SelectBook(int bid);
    // The same for one of Books().
    bool SelectBook(const Book& book);

    // The sentences of question `qid` in sort_key order, read from the book
    // on first use. 0 when none, when no book is selected, when the book has
    // no keywords, or when the read fails.
    int SentencesOf(int qid, std::vector<Sentence*>& out);
    // The sentence `sid`, read singly from the book when not loaded yet; the
    // same node that SentencesOf gives later. Null when the book lacks it.
    Sentence* SentenceById(int sid);

    int CurrentBid() const;
    const Book* CurrentBook() const;

    const std::vector<Book*>& Books() const;
    Index* Root() const;
    const std::vector<Question*>& Questions() const;
    const std::vector<Keyword*>& Keywords() const;
    const std::vector<Sentence*>& LoadedSentences() const;
    const std::vector<AttrClass*>& AttrClasses() const;

    const NodePool<int, Book>& BookPool() const;
    const NodePool<int, Index>& IndexPool() const;
    const NodePool<int, Question>& QuestionPool() const;
    const NodePool<int, Keyword>& KeywordPool() const;
    const NodePool<int, Sentence>& SentencePool() const;
    const NodePool<int, AttrClass>& AttrClassPool() const;

    // Whether the current book relates index entry `iid` to keyword `kid`.
    static bool HasRelation(int iid, int kid);

private:
    // Reads `book` into a fresh content over a fresh connection; on success
    // makes both current (and `books`, when given, the book list).
    bool Switch(const Book& book, std::unique_ptr<NodePool<int, Book>>* books);
    // Adds the books of `files` to `books`, in file order. With `wanted`,
    // stops after the file that holds that book (its database and book
    // id) and gives back the files left unread.
    static QStringList Discover(const QStringList& files, NodePool<int, Book>& books, const BookChoice* wanted);
    // Reads the files LoadBooks left for later into the book list.
    void DiscoverTheRest() const;
    bool LoadSentences(int qid);
    void LinkKeyword(Sentence& sentence, Keyword*& lastKeyword) const;

    DataBase& m_db;
    std::unique_ptr<NodePool<int, Book>> m_books;
    std::unique_ptr<BookContent> m_content;
    const Book* m_current = nullptr;    // one of m_books
    mutable QStringList m_undiscovered; // files whose books m_books lacks yet
    QStringList m_unreadable;
};
