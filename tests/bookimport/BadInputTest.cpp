// Sheets that cannot make a book: each problem is named with its row and
// column, and nothing is written.
#include "ImportFixture.h"

#include "bookimport/BookChecker.h"
#include "bookimport/BookExporter.h"
#include "automation/SheetLimits.h"

#include <sys/stat.h>

namespace {

class BadInputTest : public ImportFixture {
protected:
    // Imports `bytes` and expects failure with an error at (row, column)
    // whose text contains `words`; no book and no stray file may be left.
    void ExpectRejected(const QByteArray& bytes, int row, int column, const QString& words,
        const QString& name = QStringLiteral("in.csv"))
    {
        const QString input = Write(name, bytes);
        ExpectRejectedFile(input, row, column, words);
    }

    void ExpectRejectedFile(const QString& input, int row, int column, const QString& words)
    {
        Problems problems;
        const QString output = PathOf("out_main.db");
        EXPECT_TRUE(Import(input, output, QString(), &problems).isEmpty());
        bool found = false;
        for (const Problem& p : problems.List())
            found = found || (p.IsError() && p.row == row && p.column == column && p.message.contains(words));
        EXPECT_TRUE(found) << "expected " << row << ":" << column << " " << words.toStdString() << " in\n"
                           << problems.Lines().join(u'\n').toStdString();
        for (const QString& line : problems.Lines())
            EXPECT_TRUE(line.startsWith(input + u':')) << line.toStdString();
        EXPECT_FALSE(QFile::exists(output));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("out_main")).size(), 0);
    }

    // An XLSX whose one worksheet holds `sheetData`.
    static QByteArray Xlsx(const QByteArray& sheetData)
    {
        return Zipped({{"xl/workbook.xml", "<workbook/>"},
            {"xl/worksheets/sheet1.xml",
                "<?xml version=\"1.0\"?><worksheet "
                "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                    + sheetData + "</worksheet>"}});
    }
};

TEST_F(BadInputTest, EachProblemHasItsRowAndColumn)
{
    ExpectRejected("achieve\nattend\n", 1, 0, QStringLiteral("形がわかりません"));
    ExpectRejected("見出し語,例文\nachieve,x\n", 1, 0, QStringLiteral("意味"));
    ExpectRejected("見出し語,意味\nachieve,達成する\nattend,\n", 3, 2, QStringLiteral("意味"));
    ExpectRejected("意味,見出し語,番号\n達成する,achieve,1\n出席する,attend,２ａ\n", 3, 3, QStringLiteral("整数"));
    ExpectRejected(
        "番号,見出し語,意味\n7,achieve,達成する\n8,attend,出席する\n7,bright,明るい\n", 4, 1, QStringLiteral("2 行目"));
    // A quoted cell with a line break moves the rows after it.
    ExpectRejected("見出し語,意味\n\"a\nb\",x\n\nc,\n", 5, 2, QStringLiteral("意味"));
    ExpectRejected("形式,見出し語,問題文,解答,番号\n読み,山,〔山〕,やま,1\n読み,川,〔川〕,かわ,1\n", 3, 5,
        QStringLiteral("別の見出し語「山」"));
    ExpectRejected("見出し語,意味\n\"open,x\n", 2, 1, QStringLiteral("引用符"));
    ExpectRejected("", 0, 0, QStringLiteral("空のファイル"));
    ExpectRejected("見出し語,意味\n", 1, 0, QStringLiteral("データの行がありません"));
}

TEST_F(BadInputTest, BinaryAndUnreadableFilesAreRefused)
{
    ExpectRejected(QByteArray("PK\x03\x04\x00\x00\x08\x00", 8) + QByteArray(200, '\x01'), 0, 0,
        QStringLiteral("テキストファイルではありません"));
    ExpectRejected(QByteArray("\x81\x7f\xff\xfe\xfd"), 0, 0, QStringLiteral("Shift_JIS"));
    ExpectRejectedFile(PathOf("missing.csv"), 0, 0, QStringLiteral("開けません"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.csv")));
    ExpectRejectedFile(PathOf("folder.csv"), 0, 0, QStringLiteral("開けません"));
    // A FIFO would keep the reading waiting for a writer for ever.
    ASSERT_EQ(::mkfifo(QFile::encodeName(PathOf("pipe.csv")).constData(), 0600), 0);
    ExpectRejectedFile(PathOf("pipe.csv"), 0, 0, QStringLiteral("普通のファイルではありません"));
    Problems problems;
    EXPECT_FALSE(BookChecker::Check(PathOf("pipe.csv"), problems));
    EXPECT_FALSE(BookExporter::Export(PathOf("pipe.csv"), PathOf("out.csv"), false, problems));
    EXPECT_TRUE(problems.Lines().join(u'\n').contains(QStringLiteral("普通のファイルではありません")));
    ExpectRejected("見出し語,意味\na,b\n", 0, 0, QStringLiteral("オフィス"), QStringLiteral("list.ods"));
}

// Each bound of a sheet is refused with a message that names it, before
// the sheet is read whole; a cell at the bound is taken.
TEST_F(BadInputTest, SheetsOverTheBoundsAreRefusedWithTheBoundNamed)
{
    QByteArray wide = "見出し語,意味";
    for (int column = 3; column <= SheetLimits::MaxColumns + 1; ++column)
        wide += ",c" + QByteArray::number(column);
    ExpectRejected(wide + "\na,b\n", 1, SheetLimits::MaxColumns + 1, QStringLiteral("列が多すぎます"));

    const QByteArray longest(SheetLimits::MaxCellLength, 'x');
    ExpectRejected("見出し語,意味\na,b\nc," + longest + "y\n", 3, 2, QStringLiteral("セルが長すぎます"));
    Problems problems;
    EXPECT_FALSE(Import(Write(QStringLiteral("long.csv"), "見出し語,意味\na," + longest + "\n"), PathOf("long_main.db"),
        QString(), &problems)
                     .isEmpty())
        << problems.Lines().join(u'\n').toStdString();

    QByteArray tall = "見出し語,意味\n";
    tall.reserve(4 * (SheetLimits::MaxRows + 2));
    for (int row = 0; row <= SheetLimits::MaxRows; ++row)
        tall += "a,b\n";
    ExpectRejected(tall, SheetLimits::MaxRows + 2, 0, QStringLiteral("行が多すぎます"));

    // Not read at all: the file is as large as its size says (sparse here).
    const QString huge = PathOf(QStringLiteral("huge.csv"));
    QFile file(huge);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(SheetLimits::MaxFileBytes + 1));
    file.close();
    ExpectRejectedFile(huge, 0, 0, QStringLiteral("ファイルが大きすぎます（200 MB まで）"));
}

// What an ODS or XLSX file declares is refused before any office is asked
// (these tests have none): a few hundred bytes that would make the office
// build a million rows over a thousand columns.
TEST_F(BadInputTest, SpreadsheetsDeclaringMoreThanTheBoundsAreRefusedUnopened)
{
    const QByteArray tall = Ods("<table:table-row table:number-rows-repeated=\"1048000\"><table:table-cell "
                                "table:number-columns-repeated=\"8\" office:value-type=\"string\"><text:p>x</text:p>"
                                "</table:table-cell></table:table-row>");
    EXPECT_LT(tall.size(), 1000);
    ExpectRejected(tall, 0, 0, QStringLiteral("行が多すぎます（1000000 行まで）"), QStringLiteral("tall.ods"));
    ExpectRejected(Ods("<table:table-row table:number-rows-repeated=\"1048000\"><table:table-cell "
                       "table:number-columns-repeated=\"1024\"><text:p>x</text:p></table:table-cell>"
                       "</table:table-row>"),
        0, 0, QStringLiteral("列が多すぎます（64 列まで）"), QStringLiteral("wide.ods"));
    ExpectRejected(Ods("<table:table-row><table:table-cell><text:p>a<text:s text:c=\"10000\"/></text:p>"
                       "</table:table-cell></table:table-row>"),
        0, 0, QStringLiteral("セルが長すぎます（10000 文字まで）"), QStringLiteral("long.ods"));
    // Rows and columns repeated empty, as the office saves a sheet whose
    // rows all have a style, hold nothing: the office is asked.
    ExpectRejected(Ods("<table:table-row><table:table-cell table:number-columns-repeated=\"2\" "
                       "office:value-type=\"string\"><text:p>a</text:p></table:table-cell><table:table-cell "
                       "table:number-columns-repeated=\"1022\"/></table:table-row><table:table-row "
                       "table:number-rows-repeated=\"1048573\"><table:table-cell "
                       "table:number-columns-repeated=\"1024\"/></table:table-row>"),
        0, 0, QStringLiteral("オフィス"), QStringLiteral("styled.ods"));

    ExpectRejected(Xlsx("<dimension ref=\"A1:B2000000\"/><sheetData/>"), 0, 0, QStringLiteral("行が多すぎます"),
        QStringLiteral("declared.xlsx"));
    ExpectRejected(Xlsx("<sheetData><row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>見出し語</t></is></c>"
                        "<c r=\"BM1\"><v>1</v></c></row></sheetData>"),
        0, 0, QStringLiteral("列が多すぎます"), QStringLiteral("wide.xlsx"));
    ExpectRejected(Xlsx("<sheetData><row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>見出し語</t></is></c></row>"
                        "<row><c/><c><v>1</v></c></row><row r=\"1000002\"><c><v>1</v></c></row></sheetData>"),
        0, 0, QStringLiteral("行が多すぎます"), QStringLiteral("tall.xlsx"));
}

TEST_F(BadInputTest, ADuplicateHeadwordIsNamedWithItsRowAndColumn)
{
    Problems problems;
    const QString book = Import(
        Write(QStringLiteral("dup.csv"), "意味,見出し語\n達成する,achieve\n出席する,attend\n成し遂げる,achieve\n"),
        PathOf("dup_main.db"), QString(), &problems);
    ASSERT_FALSE(book.isEmpty()) << problems.Lines().join(u'\n').toStdString();
    ASSERT_EQ(problems.List().size(), 1u) << problems.Lines().join(u'\n').toStdString();
    const Problem& warning = problems.List().front();
    EXPECT_FALSE(warning.IsError());
    EXPECT_EQ(warning.row, 4);
    EXPECT_EQ(warning.column, 2);
    EXPECT_TRUE(warning.message.contains(QStringLiteral("2 行目"))) << warning.message.toStdString();
}

TEST_F(BadInputTest, AnExistingBookIsReplacedOnlyWhenForcedAndOnlyByACompleteOne)
{
    const QString input = Write(QStringLiteral("ok.csv"), "見出し語,意味\nachieve,達成する\n");
    const QString output = Write(QStringLiteral("out_main.db"), "old book");
    ImportRequest request;
    request.input = input;
    request.output = output;
    Problems problems;
    EXPECT_TRUE(BookImporter().Import(request, problems).isEmpty());
    EXPECT_TRUE(problems.List().front().message.contains(QStringLiteral("--force")));
    QFile kept(output);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("old book"));
    kept.close();

    // A bad sheet with --force leaves the old book too.
    request.force = true;
    request.input = Write(QStringLiteral("bad.csv"), "見出し語,意味\nachieve,\n");
    EXPECT_TRUE(BookImporter().Import(request, problems).isEmpty());
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("old book"));
    kept.close();

    // The book that replaces a file keeps that file's mode.
    ASSERT_TRUE(QFile::setPermissions(output, QFile::ReadOwner | QFile::WriteOwner));
    request.input = input;
    problems = Problems();
    EXPECT_EQ(BookImporter().Import(request, problems), output) << problems.Lines().join(u'\n').toStdString();
    EXPECT_EQ(QFile::permissions(output), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    EXPECT_EQ(QueryInt(output, QStringLiteral("select count(*) from Keywords")), 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".part")).size(), 0);
}

} // namespace
