#pragma once

#include "bookimport/BookDraft.h"

#include <QString>

#include <functional>
#include <optional>
#include <utility>

class CppSQLite3DB;
class CppSQLite3Statement;

// Writes a book draft as a book database in the layout the program reads.
// The file is made under a temporary name beside the target and renamed
// over it only once complete; on failure nothing is left behind.
class BookWriter {
public:
    // Called now and then with the rows written so far and the total.
    using Progress = std::function<void(int done, int total)>;

    explicit BookWriter(Progress progress = nullptr);

    bool Write(const BookDraft& draft, const QString& path, QString& error);

private:
    static constexpr int kReportEvery = 500;

    void Report(int done);
    void WriteSettings(CppSQLite3DB& db, const BookDraft& draft);
    void WriteQuestions(CppSQLite3DB& db, const BookDraft& draft);
    void WriteAttrClasses(CppSQLite3DB& db, const BookDraft& draft);
    void WriteEntries(CppSQLite3DB& db, const BookDraft& draft);
    void WriteKeywords(CppSQLite3DB& db, const BookDraft& draft);
    void WriteSentences(CppSQLite3DB& db, const BookDraft& draft);
    void WriteRelations(CppSQLite3DB& db, const BookDraft& draft);
    static void AddInt(CppSQLite3Statement& statement, int owner, int acid, int value);
    static void AddText(CppSQLite3Statement& statement, int owner, int acid, const QString& value);
    static void AddValues(CppSQLite3Statement& statement, int owner, const std::vector<BookDraft::AttrValue>& values);
    // The lowest and highest keyword value of a class; none without values.
    static std::optional<std::pair<int, int>> RangeOf(const BookDraft& draft, int acid);

    Progress m_progress;
    int m_total = 0;
};
