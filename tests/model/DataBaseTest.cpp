#include "model/Book.h"
#include "model/CppSQLite3DB.h"
#include "model/CppSQLite3Exception.h"
#include "model/DataBase.h"
#include "model/Index.h"
#include "model/Keyword.h"
#include "model/Question.h"
#include "model/Sentence.h"
#include "model/AttrClass.h"

#include "support/BookFixture.h"
#include "support/ReadOnlyAccess.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class DataBaseTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString MakeBook(const QString& name, const QString& sql) { return BookFixture::MakeIn(dir, name, sql); }
    QString SmallBook(const QString& name = QStringLiteral("a_main.db"),
        const QString& dbid = QStringLiteral("TV-TEST-1"), int bid = 1)
    {
        return MakeBook(name, BookFixture::SmallBookSql(dbid, bid, QStringLiteral("Book %1").arg(bid)));
    }
    QString WriteFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString OpenUser(DataBase& db)
    {
        const QString path = dir.filePath(QStringLiteral("tv_user.db"));
        EXPECT_EQ(db.OpenUser(path), 0);
        return path;
    }

    QTemporaryDir dir;
};

TEST_F(DataBaseTest, OpenBookReadsDbidAndBookSettings)
{
    DataBase db;
    const QString path = SmallBook();
    ASSERT_EQ(db.OpenBook(path), 0);
    EXPECT_EQ(db.Dbid(), QStringLiteral("TV-TEST-1"));
    EXPECT_EQ(db.BookPath(), path);
    EXPECT_EQ(db.BookInfo(QStringLiteral("Product")), QStringLiteral("101"));
    EXPECT_EQ(db.BookInfo(QStringLiteral("NoSuchName")), QString());
}

TEST_F(DataBaseTest, BadBookFilesFailToOpen)
{
    const QByteArray goodBytes = [&] {
        QFile file(SmallBook(QStringLiteral("good_main.db")));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    const QStringList bad = {
        WriteFile(QStringLiteral("text_main.db"), "this is not a database\n"),
        WriteFile(QStringLiteral("empty_main.db"), QByteArray()),
        WriteFile(QStringLiteral("truncated_main.db"), goodBytes.left(goodBytes.size() / 3)),
        WriteFile(QStringLiteral("header_main.db"), goodBytes.left(100)),
        MakeBook(QStringLiteral("noinfo_main.db"), QStringLiteral("create table BookInfo(bid, title);")),
        dir.filePath(QStringLiteral("missing_main.db")),
    };
    for (const QString& path : bad) {
        DataBase db;
        EXPECT_EQ(db.OpenBook(path), 1) << path.toStdString();
        EXPECT_TRUE(db.Dbid().isEmpty());
        EXPECT_FALSE(db.HasBook());
    }
    EXPECT_FALSE(QFileInfo::exists(bad.last())) << "opening a book must not create files";
}

TEST_F(DataBaseTest, FailedOpenKeepsThePreviousBook)
{
    DataBase db;
    const QString first = SmallBook();
    ASSERT_EQ(db.OpenBook(first), 0);
    EXPECT_EQ(db.OpenBook(WriteFile(QStringLiteral("junk_main.db"), "junk")), 1);
    EXPECT_EQ(db.Dbid(), QStringLiteral("TV-TEST-1"));
    EXPECT_EQ(db.BookPath(), first);
    std::vector<std::unique_ptr<Question>> questions;
    EXPECT_EQ(db.ReadQuestions(questions), 0);
    EXPECT_EQ(questions.size(), 3u);
}

TEST_F(DataBaseTest, TakeBookFromMovesTheConnection)
{
    DataBase db;
    DataBase staging;
    ASSERT_EQ(db.OpenBook(SmallBook(QStringLiteral("a_main.db"), QStringLiteral("TV-A"), 1)), 0);
    ASSERT_EQ(staging.OpenBook(SmallBook(QStringLiteral("b_main.db"), QStringLiteral("TV-B"), 2)), 0);
    db.TakeBookFrom(staging);
    EXPECT_EQ(db.Dbid(), QStringLiteral("TV-B"));
    EXPECT_FALSE(staging.HasBook());
    std::vector<std::unique_ptr<Book>> books;
    ASSERT_EQ(db.ReadBooks(books), 0);
    ASSERT_EQ(books.size(), 1u);
    EXPECT_EQ(books[0]->bid, 2);
    EXPECT_EQ(books[0]->path, dir.filePath(QStringLiteral("b_main.db")));
}

TEST_F(DataBaseTest, ReadsWithoutABookFail)
{
    DataBase db;
    std::vector<std::unique_ptr<Keyword>> keywords;
    std::vector<std::pair<int, int>> relations;
    EXPECT_EQ(db.ReadKeywords(keywords), 1);
    EXPECT_EQ(db.ReadIKRelations(relations), 1);
    EXPECT_EQ(db.ReadSentence(51), nullptr);
    EXPECT_EQ(db.BookInfo(QStringLiteral("DBID")), QString());
}

TEST_F(DataBaseTest, ReadsTheBookTables)
{
    DataBase db;
    ASSERT_EQ(db.OpenBook(SmallBook()), 0);

    std::vector<std::unique_ptr<Index>> indices;
    ASSERT_EQ(db.ReadIndices(indices), 0);
    ASSERT_EQ(indices.size(), 5u);
    EXPECT_EQ(indices[1]->title, QStringLiteral("Lesson 1"));
    EXPECT_EQ(indices[4]->parent_iid, 1);
    EXPECT_EQ(indices[4]->page, 10);
    EXPECT_FALSE(indices[4]->enable);

    std::vector<std::unique_ptr<Question>> questions;
    ASSERT_EQ(db.ReadQuestions(questions), 0);
    ASSERT_EQ(questions.size(), 3u);
    EXPECT_EQ(questions[0]->qid, 11); // sort_key order, not row order
    EXPECT_EQ(questions[0]->question, QStringLiteral("次の日本語を英語にしなさい。"));
    EXPECT_EQ(questions[0]->ans_field_spc, 2);
    EXPECT_TRUE(questions[0]->is_alter);

    std::vector<std::unique_ptr<AttrClass>> classes;
    ASSERT_EQ(db.ReadAttrClasses(classes), 0);
    ASSERT_EQ(classes.size(), 3u);
    EXPECT_EQ(classes[0]->long_name, QStringLiteral("No.で選択"));
    EXPECT_TRUE(classes[0]->is_range);

    std::vector<std::pair<int, int>> relations;
    ASSERT_EQ(db.ReadIKRelations(relations), 0);
    EXPECT_EQ(relations.size(), 4u);

    int min = -5, max = -5;
    EXPECT_EQ(db.ReadAttrRange(2, min, max), 1);
    EXPECT_EQ(min, -5);
    EXPECT_EQ(max, -5);
    EXPECT_EQ(db.ReadAttrRange(1, min, max), 0);
    EXPECT_EQ(min, 1);
    EXPECT_EQ(max, 300);
}

TEST_F(DataBaseTest, KeywordRowsGroupIntoKeywordsWithAttributes)
{
    DataBase db;
    ASSERT_EQ(db.OpenBook(SmallBook()), 0);
    std::vector<std::unique_ptr<Keyword>> keywords;
    ASSERT_EQ(db.ReadKeywords(keywords), 0);
    ASSERT_EQ(keywords.size(), 3u);
    const Keyword& book = *keywords[1];
    EXPECT_EQ(book.word, QStringLiteral("book"));
    EXPECT_EQ(book.attrs.Size(), 3u);
    ASSERT_NE(book.Attribute(1), nullptr);
    EXPECT_EQ(book.Attribute(1)->intValue, 20);
    EXPECT_FALSE(book.Attribute(1)->isText);
    ASSERT_NE(book.Attribute(2, 1), nullptr);
    EXPECT_TRUE(book.Attribute(2, 1)->isText);
    EXPECT_EQ(book.Attribute(2, 1)->textValue, QStringLiteral("動詞"));
    EXPECT_EQ(book.Attribute(2, 1)->intValue, 0);
    EXPECT_EQ(book.Attribute(3), nullptr);
    EXPECT_EQ(keywords[2]->word, QStringLiteral("猫"));
    EXPECT_FALSE(keywords[2]->enable);
}

TEST_F(DataBaseTest, RowsOfOneOwnerMustBeConsecutive)
{
    // Rows a, b, a: the second run of 'a' starts a second keyword of the
    // same id; a repeated (kid, acid, seq) keeps both values, lookup the first.
    const QString path = MakeBook(QStringLiteral("x_main.db"),
        BookFixture::InfoSql(QStringLiteral("TVX"))
            .prepend(
                QStringLiteral("create table Info(name, value);"
                               "create table KeywordsWithAttrs(kid, word, sort_key, enable, acid, seq, type, value);"
                               "insert into KeywordsWithAttrs values(1,'a',1,1,1,0,0,5);"
                               "insert into KeywordsWithAttrs values(1,'a',1,1,1,0,0,6);"
                               "insert into KeywordsWithAttrs values(2,'b',2,1,1,0,0,7);"
                               "insert into KeywordsWithAttrs values(1,'a',1,1,2,0,1,'late');")));
    DataBase db;
    ASSERT_EQ(db.OpenBook(path), 0);
    std::vector<std::unique_ptr<Keyword>> keywords;
    ASSERT_EQ(db.ReadKeywords(keywords), 0);
    ASSERT_EQ(keywords.size(), 3u);
    EXPECT_EQ(keywords[0]->kid, 1);
    EXPECT_EQ(keywords[0]->attrs.Size(), 2u);
    EXPECT_EQ(keywords[0]->Attribute(1)->intValue, 5);
    EXPECT_EQ(keywords[2]->kid, 1);
    EXPECT_EQ(keywords[2]->Attribute(2)->textValue, QStringLiteral("late"));
}

TEST_F(DataBaseTest, AttributeRowOfAnUnknownTypeFailsTheRead)
{
    const QString path = MakeBook(QStringLiteral("t2_main.db"),
        BookFixture::SmallBookSql()
            + QStringLiteral("INSERT INTO KeywordAttrs VALUES(203,5,0,2,1);"
                             "INSERT INTO SentenceAttrs VALUES(61,5,0,2,1);"));
    DataBase db;
    ASSERT_EQ(db.OpenBook(path), 0);
    std::vector<std::unique_ptr<Keyword>> keywords;
    EXPECT_EQ(db.ReadKeywords(keywords), 1);
    std::vector<std::unique_ptr<Sentence>> sentences;
    EXPECT_EQ(db.ReadSentences(12, sentences), 1);
    EXPECT_EQ(db.ReadSentence(61), nullptr);
    EXPECT_EQ(db.ReadSentences(11, sentences), 0); // the other question is fine
}

TEST_F(DataBaseTest, OuterJoinedOwnerWithoutAttributesHasNone)
{
    const QString path = MakeBook(QStringLiteral("lj_main.db"),
        QStringLiteral("create table Info(name, value); insert into Info values('DBID','TV');"
                       "create table KeywordsWithAttrs(kid, word, sort_key, enable, acid, seq, type, value);"
                       "insert into KeywordsWithAttrs values(1,'bare',1,1,NULL,NULL,NULL,NULL);"));
    DataBase db;
    ASSERT_EQ(db.OpenBook(path), 0);
    std::vector<std::unique_ptr<Keyword>> keywords;
    ASSERT_EQ(db.ReadKeywords(keywords), 0);
    ASSERT_EQ(keywords.size(), 1u);
    EXPECT_TRUE(keywords[0]->attrs.Empty());
}

TEST_F(DataBaseTest, ReadsSentencesByQuestionOrAll)
{
    DataBase db;
    ASSERT_EQ(db.OpenBook(SmallBook()), 0);
    std::vector<std::unique_ptr<Sentence>> sentences;
    ASSERT_EQ(db.ReadSentences(11, sentences), 0);
    EXPECT_EQ(sentences.size(), 3u);
    ASSERT_EQ(db.ReadSentences(0, sentences), 0);
    EXPECT_EQ(sentences.size(), 5u);
    ASSERT_EQ(db.ReadSentences(13, sentences), 0);
    EXPECT_TRUE(sentences.empty());

    auto one = db.ReadSentence(53);
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->answer, QStringLiteral("I like cats."));
    EXPECT_EQ(one->Attribute(101)->intValue, 20);
    EXPECT_EQ(db.ReadSentence(999), nullptr);
}

TEST_F(DataBaseTest, DiscoveryKeepsOnlyBookDatabases)
{
    const QString two = MakeBook(QStringLiteral("two_main.db"),
        BookFixture::SmallBookSql(QStringLiteral("TV"), 7) + QStringLiteral("INSERT INTO BookInfo VALUES(3,'Third');"));
    const QStringList candidates = {
        WriteFile(QStringLiteral("junk_main.db"), "junk"),
        SmallBook(QStringLiteral("lower_main.db"), QStringLiteral("tv-lower")),
        SmallBook(QStringLiteral("other_main.db"), QStringLiteral("XTV")),
        MakeBook(QStringLiteral("noinfo_main.db"), QStringLiteral("create table BookInfo(bid, title);")),
        two,
        SmallBook(QStringLiteral("one_main.db"), QStringLiteral("TV-ONE"), 5),
        dir.filePath(QStringLiteral("gone_main.db")),
    };
    std::vector<std::unique_ptr<Book>> books;
    EXPECT_EQ(DataBase::DiscoverBooks(candidates, books), 0);
    ASSERT_EQ(books.size(), 3u);
    EXPECT_EQ(books[0]->bid, 3); // bid order within a file
    EXPECT_EQ(books[0]->path, two);
    EXPECT_EQ(books[1]->bid, 7);
    EXPECT_EQ(books[2]->bid, 5);
    EXPECT_EQ(books[2]->title, QStringLiteral("Book 5"));
}

TEST_F(DataBaseTest, SetUserInfoUpdatesOrInserts)
{
    DataBase db;
    OpenUser(db);
    EXPECT_EQ(db.UserInfo(QStringLiteral("k")), QString());
    EXPECT_EQ(db.SetUserInfo(QStringLiteral("k"), QStringLiteral("値1")), 0);
    EXPECT_EQ(db.UserInfo(QStringLiteral("k")), QStringLiteral("値1"));
    EXPECT_EQ(db.SetUserInfo(QStringLiteral("k"), QStringLiteral("v2")), 0);
    EXPECT_EQ(db.UserInfo(QStringLiteral("k")), QStringLiteral("v2"));

    // A name stored twice (by another program) updates both rows: failure.
    DataBase other;
    OpenUser(other);
    ASSERT_EQ(other.SetUserInfo(QStringLiteral("dup"), QStringLiteral("a")), 0);
    CppSQLite3DB raw;
    raw.Open(dir.filePath(QStringLiteral("tv_user.db")).toStdString());
    raw.ExecuteBatch("insert into Info(name,value) values('dup','b');");
    EXPECT_EQ(db.SetUserInfo(QStringLiteral("dup"), QStringLiteral("c")), 1);
}

TEST_F(DataBaseTest, UserInfoIntFallsBackToTheDefault)
{
    DataBase db;
    OpenUser(db);
    db.SetUserInfo(QStringLiteral("word"), QStringLiteral("abc"));
    db.SetUserInfo(QStringLiteral("twelve"), QStringLiteral("12"));
    db.SetUserInfo(QStringLiteral("padded"), QStringLiteral("  -4xyz"));
    db.SetUserInfo(QStringLiteral("huge"), QStringLiteral("99999999999"));
    db.SetUserInfoInt(QStringLiteral("neg"), -17);
    EXPECT_EQ(db.UserInfoInt(QStringLiteral("word"), 9), 9);
    EXPECT_EQ(db.UserInfoInt(QStringLiteral("twelve"), 9), 12);
    EXPECT_EQ(db.UserInfoInt(QStringLiteral("padded"), 9), -4);
    EXPECT_EQ(db.UserInfoInt(QStringLiteral("huge"), 9), 9);
    EXPECT_EQ(db.UserInfoInt(QStringLiteral("missing"), 9), 9);
    EXPECT_EQ(db.UserInfo(QStringLiteral("neg")), QStringLiteral("-17"));
}

TEST_F(DataBaseTest, DisabledUserDatabaseIsNeverTouched)
{
    const QString path = dir.filePath(QStringLiteral("tv_user.db"));
    {
        DataBase db;
        ASSERT_EQ(db.OpenUser(path), 0);
        db.SetUserInfo(QStringLiteral("k"), QStringLiteral("stored"));
    }
    const QDateTime before = QFileInfo(path).lastModified();
    DataBase db;
    ASSERT_EQ(db.OpenUser(path), 0);
    db.SetUserEnabled(false);
    EXPECT_EQ(db.UserInfo(QStringLiteral("k")), QString());
    EXPECT_EQ(db.UserInfoInt(QStringLiteral("k"), 3), 3);
    EXPECT_EQ(db.SetUserInfo(QStringLiteral("k"), QStringLiteral("changed")), 0);
    db.SetUserEnabled(true);
    EXPECT_EQ(db.UserInfo(QStringLiteral("k")), QStringLiteral("stored"));
    EXPECT_EQ(QFileInfo(path).lastModified(), before);
}

TEST_F(DataBaseTest, UserDatabaseThatCannotBeWrittenFailsToOpen)
{
    DataBase db;
    // A folder where the file should be: nothing can be created there.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.db")));
    EXPECT_EQ(db.OpenUser(dir.filePath(QStringLiteral("folder.db"))), 1);
    EXPECT_EQ(db.OpenUser(dir.filePath(QStringLiteral("no/such/folder/tv_user.db"))), 1);
    EXPECT_EQ(db.UserInfo(QStringLiteral("k")), QString());
    EXPECT_EQ(db.SetUserInfo(QStringLiteral("k"), QStringLiteral("v")), 1);
}

// Another program stored names twice. Opening keeps the last row of each,
// so every update changes one row again.
TEST_F(DataBaseTest, NamesStoredTwiceCollapseToTheLastRowOnOpen)
{
    const QString path = dir.filePath(QStringLiteral("tv_user.db"));
    ASSERT_EQ(BookFixture::Build(path,
                  QStringLiteral("CREATE TABLE Info (iid INTEGER NOT NULL PRIMARY KEY,name TEXT NOT NULL DEFAULT '',"
                                 "value TEXT DEFAULT NULL);"
                                 "INSERT INTO Info(name,value) VALUES('dbid','old'),('quiz','11:51'),('bid','3'),"
                                 "('dbid','new'),('quiz','12:'),('quiz','13:');")),
        QString());
    DataBase db;
    ASSERT_EQ(db.OpenUser(path), 0);
    EXPECT_TRUE(db.UserWritable());
    EXPECT_EQ(db.UserInfo(QStringLiteral("dbid")), QStringLiteral("new"));
    EXPECT_EQ(db.UserInfo(QStringLiteral("quiz")), QStringLiteral("13:"));
    EXPECT_EQ(db.UserInfo(QStringLiteral("bid")), QStringLiteral("3"));
    EXPECT_EQ(db.SetUserInfo(QStringLiteral("dbid"), QStringLiteral("TV-1")), 0);
    EXPECT_EQ(db.SetUserInfo(QStringLiteral("quiz"), QStringLiteral("11:")), 0);
    CppSQLite3DB raw;
    raw.Open(path.toStdString());
    CppSQLite3Query rows = raw.Query("select count(*) from Info;");
    EXPECT_EQ(rows.IntField(0), 3);
}

// A user database the program may read but not write (a read-only file in
// a read-only folder): its values are read, values set meanwhile live in
// memory for the run, and the file stays as it was.
TEST_F(DataBaseTest, UserDatabaseThatCanOnlyBeReadIsReadAndNeverWritten)
{
    const QString folder = dir.filePath(QStringLiteral("userdata"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/tv_user.db");
    {
        DataBase writer;
        ASSERT_EQ(writer.OpenUser(path), 0);
        ASSERT_EQ(writer.SetUserInfo(QStringLiteral("bid"), QStringLiteral("2")), 0);
    }
    const auto bytes = [&path] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray before = bytes();

    DataBase db;
    {
        const ReadOnlyAccess access({path, folder}, {dir.path()});
        ASSERT_EQ(db.OpenUser(path), 0);
    }
    EXPECT_TRUE(db.UserEnabled());
    EXPECT_FALSE(db.UserWritable());
    EXPECT_EQ(db.UserInfo(QStringLiteral("bid")), QStringLiteral("2"));
    EXPECT_EQ(db.SetUserInfo(QStringLiteral("bid"), QStringLiteral("5")), 0);
    EXPECT_EQ(db.SetUserInfo(QStringLiteral("new"), QStringLiteral("x")), 0);
    EXPECT_EQ(db.UserInfo(QStringLiteral("bid")), QStringLiteral("5"));
    EXPECT_EQ(db.UserInfo(QStringLiteral("new")), QStringLiteral("x"));
    EXPECT_EQ(db.BeginUser(), 0);
    EXPECT_EQ(db.CommitUser(), 0);
    EXPECT_EQ(bytes(), before);
    EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral("-journal")));
}

// A writable file in a folder that takes no new files: every write needs a
// journal there, so the database counts as read-only, and the open leaves
// the folder as it was.
TEST_F(DataBaseTest, UserDatabaseInAFolderThatTakesNoFilesIsNotWritable)
{
    const QString folder = dir.filePath(QStringLiteral("userdata"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/tv_user.db");
    {
        DataBase writer;
        ASSERT_EQ(writer.OpenUser(path), 0);
        EXPECT_TRUE(writer.UserWritable());
        ASSERT_EQ(writer.SetUserInfo(QStringLiteral("bid"), QStringLiteral("2")), 0);
    }
    // Writable for whoever runs the test, root acting as "nobody" too.
    ASSERT_TRUE(QFile::setPermissions(path,
        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther
            | QFile::WriteOther));
    DataBase db;
    {
        const ReadOnlyAccess access({folder}, {dir.path()});
        ASSERT_EQ(db.OpenUser(path), 0);
        EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("tv_user.db")});
    }
    EXPECT_FALSE(db.UserWritable());
    EXPECT_EQ(db.UserInfo(QStringLiteral("bid")), QStringLiteral("2"));
}

// Another program holds the user database: the transaction waits once, for
// the begin wait, and fails; the writes after a begin never wait.
TEST_F(DataBaseTest, LockedUserDatabaseFailsTheTransactionAfterOneWait)
{
    DataBase db;
    const QString path = OpenUser(db);
    db.SetBeginWait(50);
    CppSQLite3DB other;
    other.Open(path.toStdString());
    other.ExecuteBatch("begin immediate;");
    EXPECT_EQ(db.BeginUser(), 1);
    other.ExecuteBatch("rollback;");

    // A reader that keeps reading would hold up a commit; it cannot start
    // once the transaction has begun.
    ASSERT_EQ(db.BeginUser(), 0);
    EXPECT_EQ(db.SetUserInfo(QStringLiteral("k"), QStringLiteral("v")), 0);
    other.SetBusyTimeout(0);
    EXPECT_THROW(other.Query("select * from Info;"), CppSQLite3Exception);
    EXPECT_EQ(db.CommitUser(), 0);
    EXPECT_EQ(db.UserInfo(QStringLiteral("k")), QStringLiteral("v"));
}

TEST_F(DataBaseTest, UserInfoLookupOfABrokenDatabaseThrows)
{
    const QString path = dir.filePath(QStringLiteral("tv_user.db"));
    DataBase db;
    ASSERT_EQ(db.OpenUser(path), 0);
    CppSQLite3DB raw;
    raw.Open(path.toStdString());
    raw.ExecuteBatch("drop table Info;");
    EXPECT_THROW(db.UserInfo(QStringLiteral("k")), CppSQLite3Exception);
    EXPECT_THROW(db.SetUserInfo(QStringLiteral("k"), QStringLiteral("v")), CppSQLite3Exception);
}

} // namespace
