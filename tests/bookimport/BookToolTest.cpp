// tavisko-book's commands as a teacher types them: exit status, messages
// and what is written.
#include "ImportFixture.h"

#include "bookimport/BookTool.h"
#include "model/CppSQLite3DB.h"
#include "support/BookFixture.h"

namespace {

class BookToolTest : public ImportFixture {
protected:
    int Run(const QStringList& arguments)
    {
        out.clear();
        err.clear();
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        return BookTool(outStream, errStream).Run(arguments);
    }

    QString out;
    QString err;
};

// A book the program would then refuse to print fails its check: a text
// longer than a print run takes, a sub-question of more commands.
TEST_F(BookToolTest, CheckRefusesBooksTooLargeToPrint)
{
    const QString book = PathOf(QStringLiteral("big_main.db"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TV_TEST_DATA_DIR "/") + SampleBooks().front().file, book));
    QFile::setPermissions(book, QFile::ReadOwner | QFile::WriteOwner);
    {
        CppSQLite3DB db;
        db.Open(book.toStdString());
        db.ExecuteBatch(
            "update Sentences set sentence = replace(hex(zeroblob(50001)), '0', 'a') where sid = "
            "(select min(sid) from Sentences);"
            "update Sentences set sentence = replace(hex(zeroblob(50000)), '0', '@'), "
            "answer = replace(hex(zeroblob(50000)), '0', '@') where sid = (select max(sid) from Sentences);");
    }
    const QString first = QString::number(QueryInt(book, QStringLiteral("select min(sid) from Sentences")));
    const QString last = QString::number(QueryInt(book, QStringLiteral("select max(sid) from Sentences")));
    EXPECT_EQ(Run({QStringLiteral("check"), book}), BookTool::kProblems);
    EXPECT_TRUE(err.contains(QStringLiteral("を超える問題文か解答が 1 件あります（sid %1）").arg(first)))
        << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("を超える問題が 1 件あります（sid %1）").arg(last))) << err.toStdString();
}

// A symbolic link at -o, even one whose target is missing, is a file that
// is there: writing through it needs --force.
TEST_F(BookToolTest, ADanglingLinkAtTheOutputIsNotWrittenThroughUnforced)
{
    const QString bundled = QStringLiteral(TV_TEST_DATA_DIR "/") + SampleBooks().front().file;
    const QString elsewhere = PathOf(QStringLiteral("elsewhere.csv"));
    const QString link = PathOf(QStringLiteral("sheet.csv"));
    ASSERT_TRUE(QFile::link(elsewhere, link));
    EXPECT_EQ(Run({QStringLiteral("export"), bundled, QStringLiteral("-o"), link}), BookTool::kProblems);
    EXPECT_TRUE(err.contains(QStringLiteral("--force"))) << err.toStdString();
    EXPECT_FALSE(QFile::exists(elsewhere));
    const QString input = Write(QStringLiteral("list.csv"), "見出し語,意味\nachieve,達成する\n");
    EXPECT_EQ(Run({QStringLiteral("import"), input, QStringLiteral("-o"), link}), BookTool::kProblems);
    EXPECT_FALSE(QFile::exists(elsewhere));
}

TEST_F(BookToolTest, BundledBooksAreSoundAndExportImportCheckChainUp)
{
    for (const SampleBook& book : SampleBooks()) {
        const QString path = QStringLiteral(TV_TEST_DATA_DIR "/") + book.file;
        EXPECT_EQ(Run({QStringLiteral("check"), path}), BookTool::kOk) << err.toStdString();
        EXPECT_TRUE(err.isEmpty());
    }
    const QString bundled = QStringLiteral(TV_TEST_DATA_DIR "/") + SampleBooks().front().file;
    const QString sheet = PathOf(QStringLiteral("sheet.csv"));
    ASSERT_EQ(Run({QStringLiteral("export"), bundled, QStringLiteral("-o"), sheet}), BookTool::kOk)
        << err.toStdString();
    EXPECT_EQ(Run({QStringLiteral("export"), bundled, QStringLiteral("-o"), sheet}), BookTool::kProblems);
    EXPECT_EQ(Run({QStringLiteral("export"), bundled, QStringLiteral("-o"), sheet, QStringLiteral("--force")}),
        BookTool::kOk);

    // Without -o the book goes to the teacher's book folder, named after the title.
    const QByteArray oldHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", PathOf(QStringLiteral("home")).toUtf8());
    const int made = Run({QStringLiteral("import"), sheet, QStringLiteral("--title"), QStringLiteral("私の/単語帳")});
    qputenv("XDG_DATA_HOME", oldHome);
    ASSERT_EQ(made, BookTool::kOk) << err.toStdString();
    const QString book = PathOf(QStringLiteral("home/morvane-k/books/私の_単語帳_main.db"));
    EXPECT_EQ(out.trimmed(), book);
    EXPECT_EQ(Run({QStringLiteral("check"), book}), BookTool::kOk) << err.toStdString();
    EXPECT_EQ(QueryRows(book, QStringLiteral("select title from BookInfo"))[0][0], QStringLiteral("私の/単語帳"));
}

TEST_F(BookToolTest, ImportProblemsArePrintedAsFileRowColumn)
{
    const QString input = Write(QStringLiteral("bad.csv"), "見出し語,意味,番号,備考\na,b,x,\n");
    EXPECT_EQ(Run({QStringLiteral("import"), input, QStringLiteral("-o"), PathOf(QStringLiteral("o_main.db"))}),
        BookTool::kProblems);
    EXPECT_EQ(err,
        input + QStringLiteral(":1:4: 警告: 列「備考」は使わないので読み飛ばします\n") + input
            + QStringLiteral(":2:3: エラー: 「番号」は整数でなければなりません（「x」）\n"));
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(
        Run({QStringLiteral("import"), input, QStringLiteral("--type"), QStringLiteral("999")}), BookTool::kProblems);
    // A book the program would not find is made, with a warning.
    const QString good = Write(QStringLiteral("good.csv"), "見出し語,意味\na,b\n");
    EXPECT_EQ(
        Run({QStringLiteral("import"), good, QStringLiteral("-o"), PathOf(QStringLiteral("plain.db"))}), BookTool::kOk);
    EXPECT_TRUE(err.contains(QStringLiteral("_main.db で終わらない"))) << err.toStdString();
    EXPECT_EQ(Run({QStringLiteral("import")}), BookTool::kUsage);
    EXPECT_EQ(Run({QStringLiteral("import"), input, QStringLiteral("--bogus")}), BookTool::kUsage);
    EXPECT_EQ(Run({QStringLiteral("export"), input}), BookTool::kUsage);
    EXPECT_EQ(Run({QStringLiteral("frobnicate")}), BookTool::kUsage);
}

TEST_F(BookToolTest, CheckNamesEveryProblemOfADamagedBook)
{
    const QString sql = BookFixture::SmallBookSql() + QStringLiteral(R"sql(
UPDATE Info SET value='tv-lower' WHERE name='DBID';
DELETE FROM Info WHERE name='RangeNumber';
INSERT INTO Indices VALUES(9,1,77,0,99,1,'orphan');
INSERT INTO KeywordAttrs VALUES(203,5,0,2,7);
INSERT INTO IKRelations VALUES(42,201);
)sql");
    const QString book = BookFixture::MakeIn(dir, QStringLiteral("bad_main.db"), sql);
    EXPECT_EQ(Run({QStringLiteral("check"), book}), BookTool::kProblems);
    const QStringList lines = err.split(u'\n', Qt::SkipEmptyParts);
    for (const QString& needle : {QStringLiteral("DBID「tv-lower」"), QStringLiteral("RangeNumber がありません"),
             QStringLiteral("iid 9 の親 77"), QStringLiteral("type が 0 でも 1 でもない行が 1 件"),
             QStringLiteral("Indices にない iid"), QStringLiteral("語彙にない kid を指す例文"),
             QStringLiteral("AttrClasses にない属性を持つ語彙")}) {
        EXPECT_EQ(lines.filter(needle).size(), 1) << needle.toStdString() << " in\n" << err.toStdString();
    }
}

// A word list given to check by mistake is said not to be a book file, in
// Japanese, not with the database's own English message.
TEST_F(BookToolTest, CheckOfAFileThatIsNoBookSaysSo)
{
    const QString sheet = Write(QStringLiteral("words.csv"), "word,meaning\napple,りんご\nbook,本\n");
    EXPECT_EQ(Run({QStringLiteral("check"), sheet}), BookTool::kProblems);
    EXPECT_TRUE(err.contains(QStringLiteral("本のファイルではありません"))) << err.toStdString();
    EXPECT_FALSE(err.contains(QStringLiteral("database"))) << err.toStdString();
    EXPECT_EQ(Run({QStringLiteral("check"), dir.filePath(QStringLiteral("ない_main.db"))}), BookTool::kProblems);
    EXPECT_TRUE(err.contains(QStringLiteral("ありません"))) << err.toStdString();
}

} // namespace
