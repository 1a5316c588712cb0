#pragma once

#include "history/RunRecord.h"
#include "quiz/AutoSelectAvoidance.h"

#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class CppSQLite3DB;

// The record of print runs: an SQLite file of its own beside the user
// database, so the stored selection keeps its format. Every run is written
// in one transaction; a file that turns out to be damaged is set aside
// (renamed, never deleted) and a new one started, so what it held can
// still be rescued.
class HistoryStore {
public:
    // The version of the tables this program writes (PRAGMA user_version).
    static constexpr int kSchemaVersion = 1;

    explicit HistoryStore(QString file);
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    const QString& File() const { return m_file; }
    // Where the last damaged file was put; empty when none was set aside.
    const QString& SetAsideFile() const { return m_setAside; }

    // Writes the run with its prints and sub-questions; its id, or 0 with
    // the reason in `error` (nothing of the older record is changed then).
    long long Record(const RunRecord& run, QString* error = nullptr);

    // The runs, newest first, without their prints (ItemCount and the
    // print count are given by `counts`); only those of one book when
    // `dbid` is not empty. A missing file is an empty history.
    struct Summary {
        RunRecord run; // printList left empty
        int printCount = 0;
        int itemCount = 0;
    };
    std::vector<Summary> Runs(const QString& dbid = QString(), int bid = 0, QString* error = nullptr);
    // One run with its prints and sub-questions.
    std::optional<RunRecord> Run(long long id, QString* error = nullptr);
    bool Rename(long long id, const QString& name, QString* error = nullptr);
    bool Remove(long long id, QString* error = nullptr);

    // Every sub-question of every run, oldest run first, prints and
    // sub-questions in print order: the run (without its prints), the
    // print's position (from 1) and the print.
    using ItemVisitor
        = std::function<void(const RunRecord& run, int printNo, const QString& className, const RecordedItem& item)>;
    bool ForEachItem(const ItemVisitor& visit, QString* error = nullptr);

    // How often each keyword of one book has been tested, and when last.
    struct KeywordUse {
        int count = 0;
        QDateTime last;
    };
    std::map<int, KeywordUse> KeywordUses(const QString& dbid, int bid, QString* error = nullptr);

    // The keywords of one book tested in its last `runs` runs, each with
    // the id of the latest of them that tested it: of every print of
    // those runs when `className` is empty, else of the prints that
    // carried that class name in the last `runs` runs that had one. A
    // missing or unreadable file is an empty history.
    AutoSelectAvoidance::LastTested LastTested(
        const QString& dbid, int bid, const QString& className, int runs, QString* error = nullptr);
    // LastTested of the history in `file`, for the automatic selection.
    static AutoSelectAvoidance::Source TestedKeywords(const QString& file);

private:
    enum class Access { Read, Write };
    // Opens the file (made with its tables when writing); false when there
    // is nothing to read or it cannot be opened.
    bool Open(Access access, QString* error);
    void Close();
    // Renames the damaged file (and its journal) out of the way.
    bool SetAside();
    template <typename Work>
    bool Guarded(Access access, Work work, QString* error);

    QString m_file;
    QString m_setAside;
    std::unique_ptr<CppSQLite3DB> m_db;
    bool m_writable = false;
};
