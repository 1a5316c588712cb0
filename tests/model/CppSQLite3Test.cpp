#include "model/CppSQLite3DB.h"
#include "model/CppSQLite3Exception.h"
#include "model/DatabaseError.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <new>
#include <stdexcept>
#include <string>

namespace {

class CppSQLite3Test : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        db.Open(Path("t.db"));
        db.ExecuteBatch("create table T(id integer, name text, n integer);"
                        "insert into T values(1,'one',NULL);"
                        "insert into T values(2,NULL,7);");
    }

    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }

    QTemporaryDir dir;
    CppSQLite3DB db;
};

// Runs `f` and returns the message of the CppSQLite3Exception it throws.
template <typename F>
std::string MessageOf(F&& f, int* code = nullptr)
{
    try {
        f();
    } catch (const CppSQLite3Exception& e) {
        if (code)
            *code = e.Code();
        return e.Message();
    }
    return "<no exception>";
}

TEST(CppSQLite3ExceptionTest, MessageNamesTheCode)
{
    EXPECT_STREQ(CppSQLite3Exception(1, "boom").Message(), "SQLITE_ERROR[1]: boom");
    EXPECT_STREQ(CppSQLite3Exception(101, nullptr).Message(), "SQLITE_DONE[101]: ");
    EXPECT_STREQ(CppSQLite3Exception(1000, "Database not open").Message(), "CPPSQLITE_ERROR[1000]: Database not open");
    EXPECT_STREQ(CppSQLite3Exception(26, "x").Message(), "UNKNOWN_ERROR[26]: x");
    EXPECT_STREQ(CppSQLite3Exception(-1, "x").Message(), "UNKNOWN_ERROR[-1]: x");
    EXPECT_STREQ(CppSQLite3Exception::CodeName(25), "SQLITE_RANGE");
}

TEST(CppSQLite3ExceptionTest, CopiesKeepTheirOwnMessage)
{
    CppSQLite3Exception copy(0, "");
    {
        CppSQLite3Exception original(5, "locked");
        copy = original;
        CppSQLite3Exception constructed(original);
        EXPECT_STREQ(constructed.Message(), "SQLITE_BUSY[5]: locked");
    }
    EXPECT_EQ(copy.Code(), 5);
    EXPECT_STREQ(copy.Message(), "SQLITE_BUSY[5]: locked");
}

TEST_F(CppSQLite3Test, NullColumnsReadAsZeroAndEmptyText)
{
    CppSQLite3Query q = db.Query("select * from T order by id;");
    ASSERT_FALSE(q.AtEnd());
    EXPECT_EQ(q.IntField("n"), 0);
    EXPECT_TRUE(q.FieldIsNull(q.FieldIndex("n")));
    q.Next();
    EXPECT_STREQ(q.TextField("name"), "");
    EXPECT_EQ(q.IntField("n"), 7);
    q.Next();
    EXPECT_TRUE(q.AtEnd());
    q.Next(); // stepping past the end does not restart the query
    EXPECT_TRUE(q.AtEnd());
    q.Finalize();
    EXPECT_FALSE(q.HasStatement());
}

TEST_F(CppSQLite3Test, FieldLookupErrors)
{
    CppSQLite3Query q = db.Query("select id, name from T;");
    EXPECT_EQ(MessageOf([&] { q.IntField(-1); }), "CPPSQLITE_ERROR[1000]: Invalid field index requested");
    EXPECT_EQ(MessageOf([&] { q.TextField(2); }), "CPPSQLITE_ERROR[1000]: Invalid field index requested");
    EXPECT_EQ(MessageOf([&] { q.FieldIndex("ID"); }), "CPPSQLITE_ERROR[1000]: Invalid field name requested");
    EXPECT_EQ(MessageOf([&] { q.FieldIndex(nullptr); }), "CPPSQLITE_ERROR[1000]: Invalid field name requested");
    EXPECT_EQ(q.FieldIndex("name"), 1);

    CppSQLite3Query empty;
    EXPECT_TRUE(empty.AtEnd());
    EXPECT_EQ(MessageOf([&] { empty.Next(); }), "CPPSQLITE_ERROR[1000]: Null Virtual Machine pointer");
    EXPECT_EQ(MessageOf([&] { empty.IntField(0); }), "CPPSQLITE_ERROR[1000]: Null Virtual Machine pointer");
}

TEST_F(CppSQLite3Test, QueryWithoutRowsIsAtEnd)
{
    CppSQLite3Query q = db.Query("select * from T where id=99;");
    EXPECT_TRUE(q.AtEnd());
    EXPECT_NO_THROW(q.Finalize());
}

TEST_F(CppSQLite3Test, StatementBindsAndRunsAgainAfterExecute)
{
    CppSQLite3Statement update = db.Prepare("update T set n=? where id=?;");
    update.BindInt(1, 5);
    update.BindInt(2, 99);
    EXPECT_EQ(update.Execute(), 0);
    update.BindInt(2, 1);
    EXPECT_EQ(update.Execute(), 1);

    CppSQLite3Statement select = db.Prepare("select n from T where name=?;");
    select.BindText(1, std::string("one"));
    CppSQLite3Query q;
    q = select.Query();
    ASSERT_FALSE(q.AtEnd());
    EXPECT_EQ(q.IntField(0), 5);

    EXPECT_EQ(MessageOf([&] { update.BindInt(9, 1); }), "SQLITE_RANGE[25]: Error binding int param");
    EXPECT_EQ(MessageOf([&] { update.BindText(9, "x"); }), "SQLITE_RANGE[25]: Error binding string param");
}

TEST_F(CppSQLite3Test, MovedStatementLeavesTheSourceEmpty)
{
    CppSQLite3Statement a = db.Prepare("delete from T;");
    CppSQLite3Statement b(std::move(a));
    EXPECT_EQ(MessageOf([&] { a.Execute(); }), "CPPSQLITE_ERROR[1000]: Null Virtual Machine pointer");
    EXPECT_EQ(b.Execute(), 2);
}

TEST_F(CppSQLite3Test, SqliteFailuresCarryTheirCodeAndText)
{
    int code = 0;
    EXPECT_EQ(MessageOf([&] { db.Query("select * from Missing;"); }, &code), "SQLITE_ERROR[1]: no such table: Missing");
    EXPECT_EQ(code, 1);
    EXPECT_EQ(MessageOf([&] { db.ExecuteBatch("insert into Missing values(1);"); }),
        "SQLITE_ERROR[1]: no such table: Missing");
    db.ExecuteBatch("create table U(x integer not null);");
    CppSQLite3Statement insert = db.Prepare("insert into U values(NULL);");
    EXPECT_EQ(MessageOf([&] { insert.Execute(); }, &code).rfind("SQLITE_CONSTRAINT[19]: ", 0), 0u);
    EXPECT_EQ(code, 19);
}

TEST_F(CppSQLite3Test, ClosedConnectionIsNotOpen)
{
    db.Close();
    EXPECT_EQ(MessageOf([&] { db.Query("select 1;"); }), "CPPSQLITE_ERROR[1000]: Database not open");
    EXPECT_EQ(MessageOf([&] { db.Prepare("select 1;"); }), "CPPSQLITE_ERROR[1000]: Database not open");
    EXPECT_EQ(MessageOf([&] { db.ExecuteBatch("select 1;"); }), "CPPSQLITE_ERROR[1000]: Database not open");
    EXPECT_NO_THROW(db.Close());
}

TEST_F(CppSQLite3Test, OpeningAMissingPathCreatesAnEmptyDatabase)
{
    CppSQLite3DB fresh;
    const std::string path = Path("new.db");
    fresh.Open(path);
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(path)));
    EXPECT_EQ(fresh.BusyTimeout(), 60000);
    int code = 0;
    EXPECT_EQ(MessageOf([&] { fresh.Query("select * from Info;"); }, &code), "SQLITE_ERROR[1]: no such table: Info");
    EXPECT_EQ(code, 1);
}

TEST_F(CppSQLite3Test, ReadOnlyOpenOfAMissingPathFailsAndCreatesNothing)
{
    CppSQLite3DB book;
    const std::string path = Path("absent.db");
    int code = 0;
    MessageOf([&] { book.Open(path, CppSQLite3DB::OpenMode::ReadOnly); }, &code);
    EXPECT_EQ(code, 14);
    EXPECT_FALSE(book.IsOpen());
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path)));
}

} // namespace

// Failures a teacher can act on keep SQLite's reason as a standard
// exception, and name it in Japanese: a file another program holds, and a
// database that cannot grow (here capped, as a full disk caps it).
TEST_F(CppSQLite3Test, LockedAndFullDatabasesSayWhyInJapanese)
{
    const auto reasonOf = [](auto&& f) {
        try {
            f();
        } catch (const std::exception& e) {
            const DatabaseError error = DatabaseError::From(e);
            EXPECT_EQ(QString::fromUtf8(e.what()), error.message);
            return error;
        }
        ADD_FAILURE() << "nothing was thrown";
        return DatabaseError();
    };

    CppSQLite3DB other;
    other.Open(Path("t.db"));
    other.ExecuteBatch("begin exclusive;");
    db.SetBusyTimeout(0);
    const DatabaseError locked = reasonOf([&] { db.ExecuteBatch("insert into T values(3,'three',3);"); });
    EXPECT_EQ(locked.code, SQLITE_BUSY);
    EXPECT_TRUE(locked.message.contains(QStringLiteral("database is locked"))) << locked.message.toStdString();
    EXPECT_EQ(locked.Reason(), QStringLiteral("ほかのプログラムがファイルを使用中です。"));
    other.ExecuteBatch("rollback;");

    db.ExecuteBatch("pragma max_page_count=3;");
    const DatabaseError full = reasonOf([&] {
        db.ExecuteBatch("create table Big(t text);");
        for (int i = 0; i < 100; ++i)
            db.ExecuteBatch("insert into Big values(printf('%.1000c', 'x'));");
    });
    EXPECT_EQ(full.code, SQLITE_FULL);
    EXPECT_EQ(full.Reason(), QStringLiteral("ディスクの空きがありません。"));

    EXPECT_EQ(DatabaseError::From(std::bad_alloc()).Reason(), QStringLiteral("メモリが足りません。"));
    EXPECT_TRUE(DatabaseError::From(std::runtime_error("x")).Reason().isEmpty());
}
