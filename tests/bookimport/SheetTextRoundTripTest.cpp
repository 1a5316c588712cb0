// A teacher's texts through import, export and import again: addresses,
// brackets, line breaks and formula-looking cells print as written, come
// back whole, and the exported sheet opens no cell as a formula.
#include "ImportFixture.h"

#include "bookimport/BookExporter.h"

namespace {

const QString kSheet
    = QStringLiteral("形式,見出し語,問題文,解答\r\n"
                     "読み,mail,連絡先は info@example.jp,<tax included>\r\n"
                     "読み,calc,\"=HYPERLINK(\"\"http://evil.example/\"\",\"\"x\"\")\",\"=cmd|' /C calc'!A0\"\r\n"
                     "読み,two,\"一行目\r\n二行目＠三行目\",a<b\r\n"
                     "読み,quote,'-5,'plain\r\n"); // a guarded cell, as spreadsheets write one

class SheetTextRoundTripTest : public ImportFixture { };

TEST_F(SheetTextRoundTripTest, TextsComeBackWholeAndNoCellOpensAsAFormula)
{
    Problems problems;
    const QString book
        = Import(Write(QStringLiteral("in.csv"), kSheet.toUtf8()), PathOf("a_main.db"), QString(), &problems);
    ASSERT_FALSE(book.isEmpty()) << problems.Lines().join(u'\n').toStdString();
    // A note on the row and column of each bracket that is not a tag.
    const QString notes = problems.Lines().join(u'\n');
    EXPECT_TRUE(notes.contains(QStringLiteral(":2:4: 警告: タグの種類でない"))) << notes.toStdString();
    EXPECT_TRUE(notes.contains(QStringLiteral(":4:4: 警告: タグを閉じる"))) << notes.toStdString();
    EXPECT_EQ(QueryRows(book, QStringLiteral("select sentence, answer from Sentences order by sort_key")),
        (std::vector<SqlRow>{{QStringLiteral("連絡先は info<A=>example.jp"), QStringLiteral("＜tax included＞")},
            {QStringLiteral("=HYPERLINK(\"http://evil.example/\",\"x\")"), QStringLiteral("=cmd|' /C calc'!A0")},
            {QStringLiteral("一行目@二行目＠三行目"), QStringLiteral("a＜b")},
            {QStringLiteral("-5"), QStringLiteral("'plain")}}));

    const QString sheet = PathOf(QStringLiteral("out.csv"));
    ASSERT_TRUE(BookExporter::Export(book, sheet, false, problems)) << problems.Lines().join(u'\n').toStdString();
    QFile file(sheet);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray csv = file.readAll();
    EXPECT_TRUE(csv.contains("\"連絡先は info@example.jp\"")) << csv.toStdString();
    EXPECT_TRUE(csv.contains("\"一行目\n二行目＠三行目\"")) << csv.toStdString();
    EXPECT_TRUE(csv.contains("\"'=HYPERLINK(")) << csv.toStdString();
    EXPECT_TRUE(csv.contains("\"'=cmd|")) << csv.toStdString();
    EXPECT_TRUE(csv.contains("\"'-5\"")) << csv.toStdString();
    EXPECT_TRUE(csv.contains("\"'plain\"")) << csv.toStdString();
    for (const QByteArray& line : csv.split('\n'))
        for (const char* live : {",\"=", ",\"+", ",\"-", ",\"@", ",=", ",+", ",-", ",@"})
            EXPECT_FALSE(line.contains(live)) << line.toStdString();

    const QString again = Import(sheet, PathOf("b_main.db"), QString(), &problems);
    ASSERT_FALSE(again.isEmpty()) << problems.Lines().join(u'\n').toStdString();
    EXPECT_EQ(Content(again), Content(book));
}

} // namespace
