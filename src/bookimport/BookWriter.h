#pragma once

#include "bookimport/BookDraft.h"

#include <QString>

#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class CppSQLite3DB;
class CppSQLite3Statement;

// Writes a book as a book database in the layout the program reads: the
// sentences one by one as the sheet's rows are made into them, then the
// rest of the draft. The file is made under a temporary name beside the
// target and renamed over it only once complete; on failure, or when the
// writer ends unfinished, nothing is left behind.
class BookWriter {
public:
    // Called now and then with the work done so far and the whole: the
    // sheet's rows read, then as many again for the keywords.
    using Progress = std::function<void(int done, int total)>;

    explicit BookWriter(Progress progress = nullptr);
    ~BookWriter();
    BookWriter(const BookWriter&) = delete;
    BookWriter& operator=(const BookWriter&) = delete;

    // Starts the book that is to be at `path`; false with the reason.
    bool Begin(const QString& path, QString& error);
    // A sentence, its kid the place of its keyword among the keywords in
    // the order they were made (BookDraft::kidOfMade), plus one.
    void AddSentence(const BookDraft::Sentence& sentence);
    // A keyword's value in a class beyond the fixed ones, its kid given as
    // a sentence's is.
    void AddKeywordValue(int kid, const BookDraft::AttrValue& value);
    // `done` of the sheet's `rows` have been read.
    void RowsRead(int done, int rows);
    // Writes the rest of the draft and puts the book in its place; false
    // with the reason (also when a sentence could not be written).
    bool Finish(const BookDraft& draft, QString& error);

private:
    static constexpr int kReportEvery = 500;

    void Abandon();
    void Fail(const QString& error);
    void Report(int done);
    void WriteSettings(CppSQLite3DB& db, const BookDraft& draft);
    void WriteQuestions(CppSQLite3DB& db, const BookDraft& draft);
    void WriteAttrClasses(CppSQLite3DB& db, const BookDraft& draft);
    void WriteEntries(CppSQLite3DB& db, const BookDraft& draft);
    void WriteKeywords(CppSQLite3DB& db, const BookDraft& draft);
    void WriteSentence(const BookDraft::Sentence& s);
    static void RenumberKeywords(CppSQLite3DB& db, const BookDraft& draft);
    void WriteRelations(CppSQLite3DB& db, const BookDraft& draft);
    static void AddInt(CppSQLite3Statement& statement, int owner, int acid, int value);
    static void AddText(CppSQLite3Statement& statement, int owner, int acid, const QString& value);
    static void AddValues(CppSQLite3Statement& statement, int owner, const std::vector<BookDraft::AttrValue>& values);
    // The lowest and highest keyword value of a class; none without values.
    static std::optional<std::pair<int, int>> RangeOf(const BookDraft& draft, int acid);

    struct Statements;

    Progress m_progress;
    int m_rows = 0;
    QString m_target;
    QString m_temporary;
    QStringList m_madeFolders; // by Begin, the deepest first
    std::unique_ptr<CppSQLite3DB> m_db;
    std::unique_ptr<Statements> m_sentences;
    QString m_error; // why a sentence could not be written
};
