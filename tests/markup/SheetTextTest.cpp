// A book's marked-up text and a sheet's cell, each way, and the formula
// guard: what a teacher writes prints as written, what a book holds comes
// back from its sheet unchanged, and no cell opens as a formula.
#include "markup/PrintTokenizer.h"
#include "markup/SheetText.h"

#include "support/SampleBooks.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

struct CellCase {
    const char16_t* cell;
    const char16_t* text;
    bool unknownTag = false;
    bool unclosedTag = false;
};

TEST(SheetTextTest, CellsReadAsTheBookTextThatPrintsThem)
{
    const CellCase cases[] = {
        {u"info@example.jp", u"info<A=>example.jp"},
        {u"two\nlines", u"two@lines"},
        {u"two\r\nlines\rthree", u"two@lines@three"},
        {u"kept＠mark", u"kept＠mark"},
        {u"x<S=2>y<G=98C6><L=ab@c><A=note>", u"x<S=2>y<G=98C6><L=ab@c><A=note>"},
        {u"価格<tax included>", u"価格＜tax included＞", true},
        {u"<s=2> and <>", u"＜s=2＞ and ＜＞", true},
        {u"<a@b>", u"＜a<A=>b＞", true},
        {u"a<b", u"a＜b", false, true},
        {u"a<b<S=1>", u"a＜b<S=1>", false, true},
        {u"a>b", u"a>b"},
    };
    for (const CellCase& c : cases) {
        SheetText::Notes notes;
        const QString text = SheetText::FromCell(QString::fromUtf16(c.cell), &notes);
        SCOPED_TRACE(QString::fromUtf16(c.cell).toStdString());
        EXPECT_EQ(text, QString::fromUtf16(c.text));
        EXPECT_EQ(notes.unknownTag, c.unknownTag);
        EXPECT_EQ(notes.unclosedTag, c.unclosedTag);
    }
    // The address prints as written, on one line.
    const std::vector<Print::Cmd> print = Print::ParseText(SheetText::FromCell(QStringLiteral("info@example.jp")));
    QString printed;
    for (const Print::Cmd& cmd : print) {
        EXPECT_EQ(cmd.kind, Print::Text);
        printed += cmd.text;
    }
    EXPECT_EQ(printed, QStringLiteral("info@example.jp"));
}

// Random cells over the characters that matter: whatever a cell becomes,
// its book text comes back from the cell written for it.
TEST(SheetTextTest, BookTextsFromAnyCellComeBackFromTheirCells)
{
    const QString alphabet = QStringLiteral("a@＠<>\nAGSL=x");
    QRandomGenerator random(22);
    for (int n = 0; n < 20000; ++n) {
        QString cell;
        const int length = random.bounded(12);
        for (int i = 0; i < length; ++i)
            cell.append(alphabet[random.bounded(alphabet.size())]);
        const QString text = SheetText::FromCell(cell);
        ASSERT_TRUE(SheetText::Carries(text)) << cell.toStdString() << " -> " << text.toStdString();
    }
}

TEST(SheetTextTest, EveryTextOfTheBundledBooksComesBackFromItsCell)
{
    for (const SampleBook& book : SampleBooks()) {
        const QString path = QStringLiteral(TV_TEST_DATA_DIR "/") + book.file;
        for (const char* sql : {"select word from Keywords", "select sentence from Sentences",
                 "select answer from Sentences", "select question from Questions", "select ans_field from Questions"})
            for (const SqlRow& row : QueryRows(path, QString::fromLatin1(sql)))
                EXPECT_TRUE(SheetText::Carries(row[0].toString())) << row[0].toString().toStdString();
    }
}

TEST(SheetTextTest, FormulaCellsAreWrittenAsTextAndReadBackAsTheyWere)
{
    const QString guarded[] = {QStringLiteral("=HYPERLINK(\"http://x\",\"y\")"), QStringLiteral("=cmd|' /C calc'!A0"),
        QStringLiteral("+1"), QStringLiteral("-1"), QStringLiteral("@SUM(A1)"), QStringLiteral("\tx"),
        QStringLiteral("\rx"), QStringLiteral("'=x"), QStringLiteral("''-x")};
    for (const QString& cell : guarded) {
        EXPECT_EQ(SheetText::Guard(cell), u'\'' + cell);
        EXPECT_EQ(SheetText::Unguard(SheetText::Guard(cell)), cell);
    }
    const QString plain[] = {QString(), QStringLiteral("abc"), QStringLiteral("'abc"), QStringLiteral("a=b"),
        QStringLiteral("'"), QStringLiteral(" =x"), QStringLiteral("＝x")};
    for (const QString& cell : plain) {
        EXPECT_EQ(SheetText::Guard(cell), cell);
        EXPECT_EQ(SheetText::Unguard(cell), cell);
    }
    EXPECT_EQ(SheetText::CsvRecord({QStringLiteral("=1+1"), QStringLiteral("say \"hi\""), QStringLiteral("a,b")}),
        QByteArray("\"'=1+1\",\"say \"\"hi\"\"\",\"a,b\"\r\n"));
}

} // namespace
