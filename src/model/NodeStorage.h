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
class NodeStorage
{
public:
    explicit NodeStorage(DataBase& db);
    NodeStorage(const NodeStorage&) = delete;
    NodeStorage& operator=(const NodeStorage&) = delete;
    virtual ~NodeStorage();

    // Discovers the books of the candidate files and selects the first one
    // that can be read. False (and nothing changed) when no book was found
    // or none can be read.
    bool LoadBooks(const QStringList& candidates);
    // The files of the books that LoadBooks passed over because they could
    // not be read, in book order; they stay in the book list.
    const QStringList& UnreadableFiles() const { return m_unreadable; }
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

    const std::vector<Book*>& Books() const { return m_books->List(); }
    Index* Root() const;
    const std::vector<Question*>& Questions() const;
    const std::vector<Keyword*>& Keywords() const;
    const std::vector<Sentence*>& LoadedSentences() const;
    const std::vector<AttrClass*>& AttrClasses() const;

    const NodePool<int, Book>& BookPool() const { return *m_books; }
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
    bool LoadSentences(int qid);
    void LinkKeyword(Sentence& sentence, Keyword*& lastKeyword) const;

    DataBase& m_db;
    std::unique_ptr<NodePool<int, Book>> m_books;
    std::unique_ptr<BookContent> m_content;
    const Book* m_current = nullptr; // one of m_books
    QStringList m_unreadable;
};
