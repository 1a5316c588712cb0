#include "model/DataBase.h"

#include "model/AttrClass.h"
#include "model/Book.h"
#include "model/CppSQLite3DB.h"
#include "model/DecimalText.h"
#include "model/Index.h"
#include "model/Keyword.h"
#include "model/Question.h"
#include "model/Sentence.h"
#include "model/SqliteError.h"
#include "model/Utf8.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <optional>
#include <stdexcept>

#include <fcntl.h>
#include <unistd.h>

namespace {

const char* const kCreateUserInfo
    = "CREATE TABLE IF NOT EXISTS Info (iid INTEGER NOT NULL PRIMARY KEY,name TEXT NOT NULL DEFAULT '',"
      "value TEXT DEFAULT NULL);";
const char* const kSelectInfo = "select value from Info where name=?;";
// Names are meant to be unique; a name stored twice would make every later
// update change two rows and fail. The last row stored is the one to keep.
const char* const kCollapseDuplicateNames
    = "delete from Info where iid not in (select max(iid) from Info group by name);";
// Takes the write lock and lets it go, changing nothing: it fails where the
// file cannot be written or another program holds it for writing. No page
// changes, so no journal is made (making and deleting one cost more than
// the rest of the opening together).
const char* const kProbeWriteLock = "begin immediate;rollback;";

// Runs `readRow` on every row of `query`, then finalizes it.
template <typename ReadRow>
void ForEachRow(CppSQLite3Query& query, ReadRow&& readRow)
{
    while (query.HasStatement()) {
        if (query.AtEnd()) {
            query.Finalize();
            return;
        }
        readRow(query);
        query.Next();
    }
    SqliteError::Layer(SqliteError::kNoStatement);
}

// Runs `sql` with one integer parameter and reads every row.
template <typename ReadRow>
void ForEachRow(CppSQLite3DB& db, const char* sql, int param, ReadRow&& readRow)
{
    CppSQLite3Statement statement = db.Prepare(sql);
    statement.BindInt(1, param);
    CppSQLite3Query query = statement.Query();
    ForEachRow(query, readRow);
}

template <typename ReadRow>
void ForEachRow(CppSQLite3DB& db, const char* sql, ReadRow&& readRow)
{
    CppSQLite3Query query = db.Query(sql);
    ForEachRow(query, readRow);
}

// The value of `name` in the Info table of `db`; empty when absent.
QString InfoValue(CppSQLite3DB& db, const std::string& name)
{
    CppSQLite3Statement statement = db.Prepare(kSelectInfo);
    statement.BindText(1, name);
    CppSQLite3Query query = statement.Query();
    if (query.AtEnd())
        return QString();
    return FromUtf8(query.TextField("value"));
}

QString Text(const CppSQLite3Query& query, int index)
{
    return FromUtf8(query.TextField(index));
}

// Column positions of the attribute part of an attribute view.
struct AttrColumns {
    AttrColumns(const CppSQLite3Query& q, const char* ownerColumn)
        : owner(q.FieldIndex(ownerColumn))
        , acid(q.FieldIndex("acid"))
        , seq(q.FieldIndex("seq"))
        , type(q.FieldIndex("type"))
        , value(q.FieldIndex("value"))
    {
    }

    // The attribute of the current row; null when the row carries none
    // (an owner without attributes in an outer-joined view).
    std::unique_ptr<Attr<int>> Read(const CppSQLite3Query& q) const
    {
        if (q.FieldIsNull(acid))
            return nullptr;
        const int ownerId = q.IntField(owner);
        const int classId = q.IntField(acid);
        const int position = q.IntField(seq);
        switch (q.IntField(type)) {
        case 0: return Attr<int>::MakeInt(ownerId, classId, position, q.IntField(value));
        case 1: return Attr<int>::MakeText(ownerId, classId, position, Text(q, value));
        default: throw std::runtime_error("illegal attr type.");
        }
    }

    int owner, acid, seq, type, value;
};

struct KeywordColumns {
    explicit KeywordColumns(const CppSQLite3Query& q)
        : kid(q.FieldIndex("kid"))
        , sortKey(q.FieldIndex("sort_key"))
        , enable(q.FieldIndex("enable"))
        , word(q.FieldIndex("word"))
        , attr(q, "kid")
    {
    }

    int Id(const CppSQLite3Query& q) const { return q.IntField(kid); }

    std::unique_ptr<Keyword> Make(const CppSQLite3Query& q) const
    {
        auto node = std::make_unique<Keyword>();
        node->kid = q.IntField(kid);
        node->sort_key = q.IntField(sortKey);
        node->enable = q.IntField(enable) != 0;
        node->word = Text(q, word);
        return node;
    }

    int kid, sortKey, enable, word;
    AttrColumns attr;
};

struct SentenceColumns {
    explicit SentenceColumns(const CppSQLite3Query& q)
        : sid(q.FieldIndex("sid"))
        , kid(q.FieldIndex("kid"))
        , qid(q.FieldIndex("qid"))
        , sortKey(q.FieldIndex("sort_key"))
        , sentence(q.FieldIndex("sentence"))
        , answer(q.FieldIndex("answer"))
        , attr(q, "sid")
    {
    }

    int Id(const CppSQLite3Query& q) const { return q.IntField(sid); }

    std::unique_ptr<Sentence> Make(const CppSQLite3Query& q) const
    {
        auto node = std::make_unique<Sentence>();
        node->sid = q.IntField(sid);
        node->kid = q.IntField(kid);
        node->qid = q.IntField(qid);
        node->sort_key = q.IntField(sortKey);
        node->sentence = Text(q, sentence);
        node->answer = Text(q, answer);
        return node;
    }

    int sid, kid, qid, sortKey, sentence, answer;
    AttrColumns attr;
};

int IdOf(const Keyword& k)
{
    return k.kid;
}
int IdOf(const Sentence& s)
{
    return s.sid;
}

// Turns the rows of an attribute view into nodes: consecutive rows with the
// same owner id make one node, and every row adds one attribute to it.
template <typename Columns, typename T>
auto GroupRows(std::vector<std::unique_ptr<T>>& out)
{
    return
        [&out, columns = std::optional<Columns>(), last = static_cast<T*>(nullptr)](const CppSQLite3Query& q) mutable {
            if (!columns)
                columns.emplace(q);
            const int id = columns->Id(q);
            if (!last || id != IdOf(*last)) {
                out.push_back(columns->Make(q));
                last = out.back().get();
            }
            if (auto attr = columns->attr.Read(q))
                last->attrs.Add(std::move(attr));
        };
}

} // namespace

template <typename Read>
int DataBase::Guarded(Read&& read)
{
    try {
        read();
        return 0;
    } catch (const std::exception& error) {
        return Failed(error);
    }
}

int DataBase::Failed(const std::exception& error) noexcept
{
    try {
        return Failed(DatabaseError::From(error));
    } catch (const std::bad_alloc&) {
        return 1; // the reason cannot be kept without memory
    }
}

int DataBase::Failed(DatabaseError error) noexcept
{
    qWarning("Database: %s", qUtf8Printable(error.message));
    m_lastError = std::move(error);
    return 1;
}

DataBase::DataBase() = default;

DataBase::~DataBase() = default;

int DataBase::OpenBook(const QString& path)
{
    const std::string pathUtf8 = ToUtf8(path);
    try {
        const FileStamp stamp = FileStamp::Of(path);
        auto db = std::make_unique<CppSQLite3DB>();
        db->Open(pathUtf8, CppSQLite3DB::OpenMode::ReadOnly);
        const QString dbid = InfoValue(*db, "DBID");
        m_book = std::move(db);
        m_dbid = dbid;
        m_bookPathUtf8 = pathUtf8;
        m_bookStamp = stamp;
        m_bookChanged = false;
        m_bookInfo.clear();
        m_bookInfo["DBID"] = dbid;
        return 0;
    } catch (const std::exception& error) {
        return Failed(error);
    }
}

void DataBase::TakeBookFrom(DataBase& other) noexcept
{
    if (&other == this)
        return;
    m_book = std::move(other.m_book);
    m_dbid = std::move(other.m_dbid);
    m_bookPathUtf8 = std::move(other.m_bookPathUtf8);
    m_bookStamp = other.m_bookStamp;
    m_bookChanged = other.m_bookChanged;
    m_bookInfo = std::move(other.m_bookInfo);
    other.m_dbid.clear();
    other.m_bookPathUtf8.clear();
    other.m_bookInfo.clear();
}

DataBase::FileStamp DataBase::FileStamp::Of(const QString& path)
{
    const QFileInfo file(path);
    if (!file.exists())
        return {};
    return {file.size(), file.lastModified().toMSecsSinceEpoch()};
}

bool DataBase::BookFileChanged() const
{
    if (m_book && !m_bookChanged)
        m_bookChanged = !(FileStamp::Of(BookPath()) == m_bookStamp);
    return m_bookChanged;
}

QString DataBase::BookPath() const
{
    return FromUtf8(m_bookPathUtf8);
}

int DataBase::OpenUser(const QString& path)
{
    m_user.reset();
    m_userWritable = false;
    m_unsaved.clear();
    m_userError = {};
    try {
        auto db = std::make_unique<CppSQLite3DB>();
        db->Open(ToUtf8(path));
        db->ExecuteBatch(kCreateUserInfo);
        m_userWritable = CanWrite(*db, path);
        if (!m_userWritable)
            m_userError = m_lastError;
        m_user = std::move(db);
        return 0;
    } catch (const std::exception& error) {
        Failed(error);
        m_userError = m_lastError;
        return 1;
    }
}

// Every write makes a journal beside the file, so its folder must take new
// files too; asked as the effective user, who makes them. Why it cannot be
// written is kept as the last error.
bool DataBase::CanWrite(CppSQLite3DB& db, const QString& path) noexcept
{
    try {
        if (db.IsReadOnly()) {
            Failed({SQLITE_READONLY, QStringLiteral("%1 is read-only").arg(path)});
            return false;
        }
        const QString folder = QFileInfo(path).absolutePath();
        if (faccessat(AT_FDCWD, QFile::encodeName(folder).constData(), W_OK | X_OK, AT_EACCESS) != 0) {
            Failed({SQLITE_PERM, QStringLiteral("no new files may be made in %1").arg(folder)});
            return false;
        }
        db.ExecuteBatch(kCollapseDuplicateNames);
        db.ExecuteBatch(kProbeWriteLock);
        return true;
    } catch (const std::exception& error) {
        Failed(error);
        try {
            if (!db.IsAutoCommit())
                db.ExecuteBatch("rollback;");
        } catch (const std::exception& rollback) {
            qWarning("Database: %s", rollback.what());
        }
        return false;
    }
}

QString DataBase::BookInfo(const QString& name)
{
    if (!m_book)
        return QString();
    const std::string nameUtf8 = ToUtf8(name);
    if (const auto known = m_bookInfo.find(nameUtf8); known != m_bookInfo.end())
        return known->second;
    if (BookFileChanged())
        return QString();
    const QString value = InfoValue(*m_book, nameUtf8);
    m_bookInfo[nameUtf8] = value;
    return value;
}

QString DataBase::UserInfo(const QString& name)
{
    if (!m_userEnabled || !m_user)
        return QString();
    const std::string nameUtf8 = ToUtf8(name);
    if (const auto unsaved = m_unsaved.find(nameUtf8); unsaved != m_unsaved.end())
        return unsaved->second;
    return InfoValue(*m_user, nameUtf8);
}

int DataBase::UserInfoInt(const QString& name, int def)
{
    return DecimalText::Scan(UserInfo(name)).value_or(def);
}

int DataBase::SetUserInfo(const QString& name, const QString& value)
{
    if (!m_userEnabled)
        return 0;
    if (!m_user)
        return 1;
    const std::string nameUtf8 = ToUtf8(name);
    if (!m_userWritable) {
        m_unsaved[nameUtf8] = value;
        return 0;
    }
    const std::string valueUtf8 = ToUtf8(value);
    bool exists = false;
    {
        CppSQLite3Statement lookup = m_user->Prepare(kSelectInfo);
        lookup.BindText(1, nameUtf8);
        exists = !lookup.Query().AtEnd();
    }
    try {
        CppSQLite3Statement write;
        if (exists) {
            write = m_user->Prepare("update Info set value=? where name=?;");
            write.BindText(1, valueUtf8);
            write.BindText(2, nameUtf8);
        } else {
            write = m_user->Prepare("insert into Info(name,value) values(?,?);");
            write.BindText(1, nameUtf8);
            write.BindText(2, valueUtf8);
        }
        if (write.Execute() == 1)
            return 0;
        return Failed({SQLITE_ERROR, QStringLiteral("the value of %1 was not stored").arg(name)});
    } catch (const std::exception& error) {
        return Failed(error);
    }
}

int DataBase::SetUserInfoInt(const QString& name, int value)
{
    return SetUserInfo(name, DecimalText::Format(value));
}

int DataBase::BeginUser()
{
    if (!m_userEnabled || !m_user)
        return RunOnUser("begin exclusive;");
    const int usualWait = m_user->BusyTimeout();
    m_user->SetBusyTimeout(m_beginWaitMs);
    const int result = RunOnUser("begin exclusive;");
    m_user->SetBusyTimeout(usualWait);
    return result;
}

int DataBase::CommitUser()
{
    return RunOnUser("commit;");
}

void DataBase::RollbackUser() noexcept
{
    RunOnUser("rollback;");
}

int DataBase::RunOnUser(const char* sql) noexcept
{
    if (!m_userEnabled || (m_user && !m_userWritable))
        return 0;
    if (!m_user)
        return 1;
    try {
        m_user->ExecuteBatch(sql);
        return 0;
    } catch (const std::exception& error) {
        return Failed(error);
    }
}

int DataBase::ReadBooks(std::vector<std::unique_ptr<Book>>& out)
{
    out.clear();
    return Guarded([&] {
        if (!m_book)
            SqliteError::Layer(SqliteError::kNotOpen);
        const QString path = BookPath();
        ForEachRow(*m_book, "select * from BookInfo order by bid;", [&](const CppSQLite3Query& q) {
            auto book = std::make_unique<Book>();
            book->bid = q.IntField("bid");
            book->title = FromUtf8(q.TextField("title"));
            book->path = path;
            out.push_back(std::move(book));
        });
    });
}

int DataBase::ReadIndices(std::vector<std::unique_ptr<Index>>& out)
{
    out.clear();
    return Guarded([&] {
        if (!m_book)
            SqliteError::Layer(SqliteError::kNotOpen);
        ForEachRow(*m_book, "select * from Indices order by sort_key;", [&](const CppSQLite3Query& q) {
            auto index = std::make_unique<Index>();
            index->iid = q.IntField("iid");
            index->bid = q.IntField("bid");
            index->parent_iid = q.IntField("parent_iid");
            index->page = q.IntField("page");
            index->sort_key = q.IntField("sort_key");
            index->enable = q.IntField("enable") != 0;
            index->title = FromUtf8(q.TextField("title"));
            out.push_back(std::move(index));
        });
    });
}

int DataBase::ReadQuestions(std::vector<std::unique_ptr<Question>>& out)
{
    out.clear();
    return Guarded([&] {
        if (!m_book)
            SqliteError::Layer(SqliteError::kNotOpen);
        ForEachRow(*m_book, "select * from Questions order by sort_key;", [&](const CppSQLite3Query& q) {
            auto question = std::make_unique<Question>();
            question->qid = q.IntField("qid");
            question->sort_key = q.IntField("sort_key");
            question->ans_field_spc = q.IntField("ans_field_spc");
            question->is_alter = q.IntField("is_alter") != 0;
            question->title = FromUtf8(q.TextField("title"));
            question->question = FromUtf8(q.TextField("question"));
            question->ans_field = FromUtf8(q.TextField("ans_field"));
            out.push_back(std::move(question));
        });
    });
}

int DataBase::ReadKeywords(std::vector<std::unique_ptr<Keyword>>& out)
{
    out.clear();
    return Guarded([&] {
        if (!m_book)
            SqliteError::Layer(SqliteError::kNotOpen);
        ForEachRow(*m_book, "select * from KeywordsWithAttrs;", GroupRows<KeywordColumns>(out));
    });
}

int DataBase::ReadSentences(int qid, std::vector<std::unique_ptr<Sentence>>& out)
{
    out.clear();
    return Guarded([&] {
        if (!m_book || BookFileChanged())
            SqliteError::Layer(SqliteError::kNotOpen);
        if (qid != 0)
            ForEachRow(*m_book, "select * from SentencesWithAttrs where qid=?;", qid, GroupRows<SentenceColumns>(out));
        else
            ForEachRow(*m_book, "select * from SentencesWithAttrs;", GroupRows<SentenceColumns>(out));
    });
}

std::unique_ptr<Sentence> DataBase::ReadSentence(int sid)
{
    std::vector<std::unique_ptr<Sentence>> rows;
    const int result = Guarded([&] {
        if (!m_book || BookFileChanged())
            SqliteError::Layer(SqliteError::kNotOpen);
        ForEachRow(*m_book, "select * from SentencesWithAttrs where sid=?;", sid, GroupRows<SentenceColumns>(rows));
    });
    if (result != 0 || rows.empty())
        return nullptr;
    return std::move(rows.front());
}

int DataBase::ReadAttrClasses(std::vector<std::unique_ptr<AttrClass>>& out)
{
    out.clear();
    return Guarded([&] {
        if (!m_book)
            SqliteError::Layer(SqliteError::kNotOpen);
        ForEachRow(*m_book, "select * from AttrClasses order by sort_key;", [&](const CppSQLite3Query& q) {
            auto attrClass = std::make_unique<AttrClass>();
            attrClass->acid = q.IntField("acid");
            attrClass->type = q.IntField("type");
            attrClass->sort_key = q.IntField("sort_key");
            attrClass->is_range = q.IntField("is_range") != 0;
            attrClass->name = FromUtf8(q.TextField("name"));
            attrClass->long_name = FromUtf8(q.TextField("long_name"));
            out.push_back(std::move(attrClass));
        });
    });
}

int DataBase::ReadIKRelations(std::vector<std::pair<int, int>>& out)
{
    out.clear();
    return Guarded([&] {
        if (!m_book)
            SqliteError::Layer(SqliteError::kNotOpen);
        ForEachRow(*m_book, "select * from IKRelations;",
            [&](const CppSQLite3Query& q) { out.emplace_back(q.IntField("iid"), q.IntField("kid")); });
    });
}

int DataBase::ReadAttrRange(int acid, int& min, int& max)
{
    bool found = false;
    const int result = Guarded([&] {
        if (!m_book || BookFileChanged())
            SqliteError::Layer(SqliteError::kNotOpen);
        CppSQLite3Statement statement = m_book->Prepare("select * from KeywordAttrRange where acid=?;");
        statement.BindInt(1, acid);
        CppSQLite3Query query = statement.Query();
        if (query.AtEnd())
            return;
        const int low = query.IntField("min_value");
        const int high = query.IntField("max_value");
        min = low;
        max = high;
        found = true;
    });
    return result == 0 && found ? 0 : 1;
}

int DataBase::DiscoverBooks(const QStringList& candidates, std::vector<std::unique_ptr<Book>>& out)
{
    for (const QString& path : candidates) {
        DataBase probe;
        probe.OpenBook(path);
        if (!probe.Dbid().startsWith(QStringLiteral("TV")))
            continue;
        std::vector<std::unique_ptr<Book>> books;
        probe.ReadBooks(books);
        for (auto& book : books) {
            book->dbid = probe.Dbid();
            out.push_back(std::move(book));
        }
    }
    return 0;
}
