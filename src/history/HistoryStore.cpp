#include "history/HistoryStore.h"

#include "model/CppSQLite3DB.h"
#include "model/CppSQLite3Exception.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace {

const char* const kSchema = R"sql(
CREATE TABLE IF NOT EXISTS Runs (
    run_id INTEGER PRIMARY KEY AUTOINCREMENT,
    made_at TEXT NOT NULL,
    kind TEXT NOT NULL,
    name TEXT NOT NULL DEFAULT '',
    dbid TEXT NOT NULL,
    bid INTEGER NOT NULL,
    book_title TEXT NOT NULL,
    formats TEXT NOT NULL,
    format_names TEXT NOT NULL,
    range TEXT NOT NULL,
    range_line TEXT NOT NULL,
    prints TEXT NOT NULL,
    template TEXT NOT NULL,
    output TEXT NOT NULL,
    seed INTEGER,
    print_count INTEGER NOT NULL,
    item_count INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS RunsOfBook ON Runs (dbid, bid);
CREATE TABLE IF NOT EXISTS Prints (
    run_id INTEGER NOT NULL,
    print_no INTEGER NOT NULL,
    class_name TEXT NOT NULL DEFAULT '',
    PRIMARY KEY (run_id, print_no)) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS Items (
    run_id INTEGER NOT NULL,
    print_no INTEGER NOT NULL,
    seq INTEGER NOT NULL,
    number INTEGER NOT NULL,
    qid INTEGER NOT NULL,
    format TEXT NOT NULL,
    sid INTEGER NOT NULL,
    kid INTEGER NOT NULL,
    keyword TEXT NOT NULL,
    PRIMARY KEY (run_id, print_no, seq)) WITHOUT ROWID;
)sql";

const char* const kRunColumns = "run_id, made_at, kind, name, dbid, bid, book_title, formats, format_names, range, "
                                "range_line, prints, template, output, seed, print_count, item_count";

std::string Utf8(const QString& text)
{
    return text.toStdString();
}

QString Text(const CppSQLite3Query& row, int column)
{
    return QString::fromUtf8(row.TextField(column));
}

const char* KindName(RunRecord::Kind kind)
{
    return kind == RunRecord::Kind::Export ? "export" : "print";
}

QString IsoWithOffset(const QDateTime& when)
{
    const QDateTime local = when.isValid() ? when : QDateTime::currentDateTime();
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate);
}

// A run from a row of kRunColumns.
HistoryStore::Summary SummaryOf(const CppSQLite3Query& row)
{
    HistoryStore::Summary summary;
    RunRecord& run = summary.run;
    run.id = row.Int64Field(0);
    run.when = QDateTime::fromString(Text(row, 1), Qt::ISODate);
    run.kind = Text(row, 2) == QStringLiteral("export") ? RunRecord::Kind::Export : RunRecord::Kind::Print;
    run.name = Text(row, 3);
    run.dbid = Text(row, 4);
    run.bid = row.IntField(5);
    run.bookTitle = Text(row, 6);
    run.formats = Text(row, 7);
    run.formatNames = Text(row, 8);
    run.range = Text(row, 9);
    run.rangeLine = Text(row, 10);
    run.prints = Text(row, 11);
    run.templateName = Text(row, 12);
    run.output = Text(row, 13);
    if (!row.FieldIsNull(14))
        run.seed = static_cast<std::uint32_t>(row.Int64Field(14));
    summary.printCount = row.IntField(15);
    summary.itemCount = row.IntField(16);
    return summary;
}

bool IsDamage(int code)
{
    const int primary = code & 0xFF;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

} // namespace

HistoryStore::HistoryStore(QString file)
    : m_file(std::move(file))
{
}

HistoryStore::~HistoryStore() = default;

bool HistoryStore::Open(Access access, QString* error)
{
    if (m_db && (access == Access::Read || m_writable))
        return true;
    Close();
    if (m_file.isEmpty()) {
        if (error)
            *error = QStringLiteral("no file");
        return false;
    }
    if (access == Access::Read && !QFileInfo::exists(m_file))
        return false;
    auto db = std::make_unique<CppSQLite3DB>();
    db->Open(Utf8(m_file),
        access == Access::Write ? CppSQLite3DB::OpenMode::ReadWriteCreate : CppSQLite3DB::OpenMode::ReadOnly);
    db->SetBusyTimeout(5000);
    const int version = db->Query("PRAGMA user_version").IntField(0);
    if (version > kSchemaVersion) {
        if (error)
            *error = QStringLiteral("the file was written by a newer version (%1)").arg(version);
        return false;
    }
    if (access == Access::Write) {
        if (db->IsReadOnly())
            throw CppSQLite3Exception(SQLITE_READONLY, "the file cannot be written");
        if (version < kSchemaVersion) {
            db->ExecuteBatch("BEGIN IMMEDIATE");
            db->ExecuteBatch(kSchema);
            db->ExecuteBatch(("PRAGMA user_version = " + std::to_string(kSchemaVersion)).c_str());
            db->ExecuteBatch("COMMIT");
        }
        m_writable = true;
    } else if (version == 0) {
        // A file made but never written: nothing to read.
        return false;
    }
    m_db = std::move(db);
    return true;
}

void HistoryStore::Close()
{
    m_db.reset();
    m_writable = false;
}

bool HistoryStore::SetAside()
{
    Close();
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = m_file + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = m_file + QStringLiteral(".damaged-") + stamp + u'-' + QString::number(n);
    if (!QFile::rename(m_file, target))
        return false;
    // A journal left beside the damaged file belongs to it, not to the new one.
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        const QString side = m_file + QLatin1String(suffix);
        if (QFileInfo::exists(side))
            QFile::rename(side, target + QLatin1String(suffix));
    }
    m_setAside = target;
    return true;
}

// Runs `work` on the open file. A damaged file met while writing is set
// aside and the work done once more on a new one; any other failure is
// reported and leaves the file as it was (the transaction is rolled back).
template <typename Work>
bool HistoryStore::Guarded(Access access, Work work, QString* error)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            if (!Open(access, error))
                return false;
            work(*m_db);
            return true;
        } catch (const CppSQLite3Exception& failure) {
            if (m_db && !m_db->IsAutoCommit()) {
                try {
                    m_db->ExecuteBatch("ROLLBACK");
                } catch (const CppSQLite3Exception&) {
                }
            }
            if (error)
                *error = QString::fromUtf8(failure.Message() ? failure.Message() : "");
            Close();
            if (!IsDamage(failure.Code()) || access != Access::Write || attempt > 0 || !SetAside())
                return false;
        }
    }
    return false;
}

long long HistoryStore::Record(const RunRecord& run, QString* error)
{
    long long id = 0;
    const bool done = Guarded(
        Access::Write,
        [&](CppSQLite3DB& db) {
            db.ExecuteBatch("BEGIN IMMEDIATE");
            CppSQLite3Statement insertRun = db.Prepare(
                "INSERT INTO Runs (made_at, kind, name, dbid, bid, book_title, formats, format_names, range, "
                "range_line, prints, template, output, seed, print_count, item_count) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
            insertRun.BindText(1, Utf8(IsoWithOffset(run.when)));
            insertRun.BindText(2, KindName(run.kind));
            insertRun.BindText(3, Utf8(run.name));
            insertRun.BindText(4, Utf8(run.dbid));
            insertRun.BindInt(5, run.bid);
            insertRun.BindText(6, Utf8(run.bookTitle));
            insertRun.BindText(7, Utf8(run.formats));
            insertRun.BindText(8, Utf8(run.formatNames));
            insertRun.BindText(9, Utf8(run.range));
            insertRun.BindText(10, Utf8(run.rangeLine));
            insertRun.BindText(11, Utf8(run.prints));
            insertRun.BindText(12, Utf8(run.templateName));
            insertRun.BindText(13, Utf8(run.output));
            if (run.seed)
                insertRun.BindInt64(14, *run.seed);
            else
                insertRun.BindNull(14);
            insertRun.BindInt(15, static_cast<int>(run.printList.size()));
            insertRun.BindInt(16, run.ItemCount());
            insertRun.Execute();
            const long long runId = db.Query("SELECT last_insert_rowid()").Int64Field(0);
            CppSQLite3Statement insertPrint
                = db.Prepare("INSERT INTO Prints (run_id, print_no, class_name) VALUES (?, ?, ?)");
            CppSQLite3Statement insertItem
                = db.Prepare("INSERT INTO Items (run_id, print_no, seq, number, qid, format, sid, kid, keyword) "
                             "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
            for (std::size_t p = 0; p < run.printList.size(); ++p) {
                const RecordedPrint& print = run.printList[p];
                const int printNo = static_cast<int>(p) + 1;
                insertPrint.BindInt64(1, runId);
                insertPrint.BindInt(2, printNo);
                insertPrint.BindText(3, Utf8(print.className));
                insertPrint.Execute();
                for (std::size_t i = 0; i < print.items.size(); ++i) {
                    const RecordedItem& item = print.items[i];
                    insertItem.BindInt64(1, runId);
                    insertItem.BindInt(2, printNo);
                    insertItem.BindInt(3, static_cast<int>(i) + 1);
                    insertItem.BindInt(4, item.number);
                    insertItem.BindInt(5, item.qid);
                    insertItem.BindText(6, Utf8(item.format));
                    insertItem.BindInt(7, item.sid);
                    insertItem.BindInt(8, item.kid);
                    insertItem.BindText(9, Utf8(item.keyword));
                    insertItem.Execute();
                }
            }
            db.ExecuteBatch("COMMIT");
            id = runId;
        },
        error);
    return done ? id : 0;
}

std::vector<HistoryStore::Summary> HistoryStore::Runs(const QString& dbid, int bid, QString* error)
{
    std::vector<Summary> runs;
    Guarded(
        Access::Read,
        [&](CppSQLite3DB& db) {
            std::string sql = std::string("SELECT ") + kRunColumns + " FROM Runs";
            if (!dbid.isEmpty())
                sql += " WHERE dbid = ? AND bid = ?";
            sql += " ORDER BY run_id DESC";
            CppSQLite3Statement select = db.Prepare(sql.c_str());
            if (!dbid.isEmpty()) {
                select.BindText(1, Utf8(dbid));
                select.BindInt(2, bid);
            }
            for (CppSQLite3Query row = select.Query(); !row.AtEnd(); row.Next())
                runs.push_back(SummaryOf(row));
        },
        error);
    return runs;
}

std::optional<RunRecord> HistoryStore::Run(long long id, QString* error)
{
    std::optional<RunRecord> found;
    Guarded(
        Access::Read,
        [&](CppSQLite3DB& db) {
            CppSQLite3Statement select
                = db.Prepare((std::string("SELECT ") + kRunColumns + " FROM Runs WHERE run_id = ?").c_str());
            select.BindInt64(1, id);
            CppSQLite3Query row = select.Query();
            if (row.AtEnd())
                return;
            RunRecord run = SummaryOf(row).run;
            CppSQLite3Statement prints
                = db.Prepare("SELECT print_no, class_name FROM Prints WHERE run_id = ? ORDER BY print_no");
            prints.BindInt64(1, id);
            for (CppSQLite3Query print = prints.Query(); !print.AtEnd(); print.Next()) {
                run.printList.resize(static_cast<std::size_t>(std::max(print.IntField(0), 0)));
                if (!run.printList.empty())
                    run.printList.back().className = Text(print, 1);
            }
            CppSQLite3Statement items = db.Prepare("SELECT print_no, number, qid, format, sid, kid, keyword "
                                                   "FROM Items WHERE run_id = ? ORDER BY print_no, seq");
            items.BindInt64(1, id);
            for (CppSQLite3Query row = items.Query(); !row.AtEnd(); row.Next()) {
                const int printNo = row.IntField(0);
                if (printNo < 1 || printNo > static_cast<int>(run.printList.size()))
                    continue;
                RecordedItem item;
                item.number = row.IntField(1);
                item.qid = row.IntField(2);
                item.format = Text(row, 3);
                item.sid = row.IntField(4);
                item.kid = row.IntField(5);
                item.keyword = Text(row, 6);
                run.printList[static_cast<std::size_t>(printNo - 1)].items.push_back(std::move(item));
            }
            found = std::move(run);
        },
        error);
    return found;
}

bool HistoryStore::Rename(long long id, const QString& name, QString* error)
{
    return Guarded(
        Access::Write,
        [&](CppSQLite3DB& db) {
            CppSQLite3Statement update = db.Prepare("UPDATE Runs SET name = ? WHERE run_id = ?");
            update.BindText(1, Utf8(name));
            update.BindInt64(2, id);
            update.Execute();
        },
        error);
}

bool HistoryStore::Remove(long long id, QString* error)
{
    return Guarded(
        Access::Write,
        [&](CppSQLite3DB& db) {
            db.ExecuteBatch("BEGIN IMMEDIATE");
            for (const char* sql : {"DELETE FROM Items WHERE run_id = ?", "DELETE FROM Prints WHERE run_id = ?",
                     "DELETE FROM Runs WHERE run_id = ?"}) {
                CppSQLite3Statement remove = db.Prepare(sql);
                remove.BindInt64(1, id);
                remove.Execute();
            }
            db.ExecuteBatch("COMMIT");
        },
        error);
}

bool HistoryStore::ForEachItem(const ItemVisitor& visit, QString* error)
{
    return Guarded(
        Access::Read,
        [&](CppSQLite3DB& db) {
            std::map<long long, Summary> runs;
            for (CppSQLite3Query row = db.Query((std::string("SELECT ") + kRunColumns + " FROM Runs").c_str());
                 !row.AtEnd(); row.Next()) {
                Summary summary = SummaryOf(row);
                runs.emplace(summary.run.id, std::move(summary));
            }
            CppSQLite3Query row = db.Query(
                "SELECT i.run_id, i.print_no, COALESCE(p.class_name, ''), i.number, i.qid, i.format, i.sid, i.kid, "
                "i.keyword FROM Items i LEFT JOIN Prints p ON p.run_id = i.run_id AND p.print_no = i.print_no "
                "ORDER BY i.run_id, i.print_no, i.seq");
            for (; !row.AtEnd(); row.Next()) {
                const auto run = runs.find(row.Int64Field(0));
                if (run == runs.end())
                    continue;
                RecordedItem item;
                item.number = row.IntField(3);
                item.qid = row.IntField(4);
                item.format = Text(row, 5);
                item.sid = row.IntField(6);
                item.kid = row.IntField(7);
                item.keyword = Text(row, 8);
                visit(run->second.run, row.IntField(1), Text(row, 2), item);
            }
        },
        error);
}

AutoSelectAvoidance::LastTested HistoryStore::LastTested(
    const QString& dbid, int bid, const QString& className, int runs, QString* error)
{
    AutoSelectAvoidance::LastTested tested;
    if (runs <= 0)
        return tested;
    Guarded(
        Access::Read,
        [&](CppSQLite3DB& db) {
            // The look-back first (a few rows by the index of the book),
            // then the keywords of those runs.
            CppSQLite3Statement select = db.Prepare(className.isEmpty()
                    ? "WITH recent AS (SELECT run_id FROM Runs WHERE dbid = ? AND bid = ? "
                      "ORDER BY run_id DESC LIMIT ?) "
                      "SELECT i.kid, MAX(i.run_id) FROM Items i JOIN recent r ON i.run_id = r.run_id GROUP BY i.kid"
                    : "WITH recent AS (SELECT DISTINCT r.run_id FROM Runs r JOIN Prints p ON p.run_id = r.run_id "
                      "WHERE r.dbid = ? AND r.bid = ? AND p.class_name = ?3 ORDER BY r.run_id DESC LIMIT ?4) "
                      "SELECT i.kid, MAX(i.run_id) FROM Items i JOIN recent r ON i.run_id = r.run_id "
                      "JOIN Prints p ON p.run_id = i.run_id AND p.print_no = i.print_no "
                      "WHERE p.class_name = ?3 GROUP BY i.kid");
            select.BindText(1, Utf8(dbid));
            select.BindInt(2, bid);
            if (className.isEmpty()) {
                select.BindInt(3, runs);
            } else {
                select.BindText(3, Utf8(className));
                select.BindInt(4, runs);
            }
            for (CppSQLite3Query row = select.Query(); !row.AtEnd(); row.Next())
                tested[row.IntField(0)] = row.Int64Field(1);
        },
        error);
    return tested;
}

AutoSelectAvoidance::Source HistoryStore::TestedKeywords(const QString& file)
{
    return [file](const QString& dbid, int bid, const QString& className, int runs) {
        return HistoryStore(file).LastTested(dbid, bid, className, runs);
    };
}

std::map<int, HistoryStore::KeywordUse> HistoryStore::KeywordUses(const QString& dbid, int bid, QString* error)
{
    std::map<int, KeywordUse> uses;
    Guarded(
        Access::Read,
        [&](CppSQLite3DB& db) {
            CppSQLite3Statement select
                = db.Prepare("SELECT u.kid, u.times, r.made_at FROM "
                             "(SELECT i.kid AS kid, COUNT(*) AS times, MAX(i.run_id) AS last_run "
                             " FROM Runs r JOIN Items i ON i.run_id = r.run_id "
                             " WHERE r.dbid = ? AND r.bid = ? GROUP BY i.kid) u "
                             "JOIN Runs r ON r.run_id = u.last_run");
            select.BindText(1, Utf8(dbid));
            select.BindInt(2, bid);
            for (CppSQLite3Query row = select.Query(); !row.AtEnd(); row.Next())
                uses[row.IntField(0)] = {row.IntField(1), QDateTime::fromString(Text(row, 2), Qt::ISODate)};
        },
        error);
    return uses;
}
