// The markup of the sample books as the list views and the print see it:
// every tag closed and not nested, every external character one the
// external-character table knows, and each kind of mark in real use.
#include "markup/DecodeGaijiCode.h"
#include "markup/DisplayRun.h"
#include "markup/GaijiMapper.h"
#include "markup/PrintTokenizer.h"
#include "markup/TagStripper.h"

#include "support/SampleBooks.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Every content text of a book that passes through the markup consumers.
QStringList ContentTexts(const QString& path)
{
    QStringList texts;
    for (const char* sql :
        {"select title from Indices", "select question from Questions", "select ans_field from Questions",
            "select word from Keywords", "select sentence from Sentences", "select answer from Sentences"}) {
        for (const SqlRow& row : QueryRows(path, QString::fromLatin1(sql)))
            texts << row[0].toString();
    }
    return texts;
}

QString PathOf(const SampleBook& book)
{
    return QStringLiteral(TV_TEST_DATA_DIR "/") + book.file;
}

TEST(SampleBooksMarkupTest, PlainTextHasNoMarkupLeft)
{
    const TagStripper stripper;
    for (const SampleBook& book : SampleBooks()) {
        for (const QString& text : ContentTexts(PathOf(book))) {
            const QString plain = stripper.Strip(text);
            SCOPED_TRACE(book.file.toStdString() + ": " + text.toStdString());
            EXPECT_FALSE(plain.contains(u'<') || plain.contains(u'>'));
            EXPECT_FALSE(plain.contains(QChar(0xFFFD)));
        }
    }
}

// Without the external-character font a tag is printed and listed as the
// character the table gives; a code the table lacks would show a rare kanji.
TEST(SampleBooksMarkupTest, EveryExternalCharacterCodeIsInTheTable)
{
    const GaijiMapper mapper;
    int tags = 0;
    for (const SampleBook& book : SampleBooks()) {
        for (const QString& text : ContentTexts(PathOf(book))) {
            for (qsizetype at = text.indexOf(u"<G="); at >= 0; at = text.indexOf(u"<G=", at + 1)) {
                const QString code = text.mid(at + 3, 4);
                const QString character = DecodeGaijiCode(code);
                EXPECT_NE(mapper.Map(character), character)
                    << book.file.toStdString() << ": code " << code.toStdString();
                ++tags;
            }
        }
    }
    EXPECT_GT(tags, 0);
}

TEST(SampleBooksMarkupTest, ExternalCharacterTagsAreWellFormedForTheLists)
{
    for (const SampleBook& book : SampleBooks()) {
        for (const QString& text : ContentTexts(PathOf(book))) {
            int externalRuns = 0;
            for (const DisplayRun& run : SplitDisplayRuns(text))
                externalRuns += run.external ? 1 : 0;
            EXPECT_EQ(externalRuns, text.count(QStringLiteral("<G=")))
                << book.file.toStdString() << ": " << text.toStdString();
        }
    }
}

TEST(SampleBooksMarkupTest, PrintTagsAreClosedAndNotNested)
{
    InstalledFonts fonts([] { return QStringList{QStringLiteral("Morvane Gaiji")}; });
    for (const SampleBook& book : SampleBooks()) {
        for (const QString& text : ContentTexts(PathOf(book))) {
            SCOPED_TRACE(book.file.toStdString() + ": " + text.toStdString());
            EXPECT_EQ(text.count(u'<'), text.count(u'>'));
            for (const Print::Cmd& cmd : Print::ParseText(text, fonts)) {
                EXPECT_FALSE(cmd.text.contains(u'<') || cmd.text.contains(u'>'));
                EXPECT_FALSE(cmd.kind == Print::UnderlinedText && cmd.text.isEmpty());
            }
        }
    }
}

TEST(SampleBooksMarkupTest, EveryKindOfMarkIsInUse)
{
    InstalledFonts fonts([] { return QStringList{QStringLiteral("Morvane Gaiji")}; });
    std::map<int, int> kinds;
    int atTags = 0;
    int fullWidthBreaks = 0;
    for (const SampleBook& book : SampleBooks()) {
        for (const QString& text : ContentTexts(PathOf(book))) {
            for (const Print::Cmd& cmd : Print::ParseText(text, fonts))
                ++kinds[cmd.kind];
            atTags += text.count(QStringLiteral("<A="));
            fullWidthBreaks += text.count(u'＠');
        }
    }
    EXPECT_GT(kinds[Print::ExternalChar], 0);
    EXPECT_GT(kinds[Print::SubscriptText], 0);
    EXPECT_GT(kinds[Print::UnderlinedText], 0);
    EXPECT_GT(kinds[Print::LineBreak], 0);
    EXPECT_GT(atTags, 0);
    EXPECT_GT(fullWidthBreaks, 0);
}

} // namespace
