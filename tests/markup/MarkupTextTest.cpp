// The same marked-up texts through both consumers: the plain text of lists
// and the command stream of prints.
#include "MarkupPrinters.h"

#include "markup/PrintTokenizer.h"
#include "markup/TagStripper.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Print::Cmd;

struct MarkupCase {
    const char16_t* text;
    const char16_t* plain;
    std::vector<Cmd> print; // with the external-character font missing
};

std::vector<MarkupCase> Cases()
{
    const Cmd lineBreak{Print::LineBreak, QString()};
    return {
        {u"", u"", {}},
        {u"abc", u"abc", {{Print::Text, u"abc"_qs}}},
        {u"ab@cd", u"ab／cd", {{Print::Text, u"ab"_qs}, lineBreak, {Print::Text, u"cd"_qs}}},
        {u"ab＠cd", u"ab／cd", {{Print::Text, u"ab"_qs}, lineBreak, {Print::Text, u"cd"_qs}}},
        {u"@@", u"／／", {lineBreak, lineBreak}},
        {u"x<S=2>y", u"x2y", {{Print::Text, u"x"_qs}, {Print::SubscriptText, u"2"_qs}, {Print::Text, u"y"_qs}}},
        // "A=" prints one "@" and drops its text; the three pieces stay apart.
        {u"x<A=note>y", u"x@notey", {{Print::Text, u"x"_qs}, {Print::Text, u"@"_qs}, {Print::Text, u"y"_qs}}},
        {u"<L=abc>", u"abc", {{Print::UnderlinedText, u"abc"_qs}}},
        {u"a<tag>b", u"atagb", {{Print::Text, u"a"_qs}, {Print::UnderlinedText, u"tag"_qs}, {Print::Text, u"b"_qs}}},
        {u"a<b", u"ab", {{Print::Text, u"a"_qs}, {Print::UnderlinedText, u"b"_qs}}},
        {u"<>", u"", {{Print::UnderlinedText, QString()}}},
        {u"a>b", u"ab", {{Print::Text, u"a>b"_qs}}},
        // Print tags do not nest; the plain text resolves the inner tag first.
        {u"<S=<G=98C6>>", u"倶", {{Print::SubscriptText, u"<G=98C6"_qs}, {Print::Text, u">"_qs}}},
        {u"<G=98C6>", u"倶", {{Print::Text, u"倶"_qs}}},
        {u"<G=E274>", u"鷗", {{Print::Text, u"鷗"_qs}}},
        // Tags cut short by the end of the text.
        {u"x<G=98", u"x\uFFFD", {{Print::Text, u"x"_qs}, {Print::Text, u"\uFFFD"_qs}}},
        {u"x<S=2", u"x2", {{Print::Text, u"x"_qs}, {Print::SubscriptText, u"2"_qs}}},
        {u"x<", u"x", {{Print::Text, u"x"_qs}, {Print::UnderlinedText, QString()}}},
        // Tag kinds are case-sensitive.
        {u"<s=2>", u"s=2", {{Print::UnderlinedText, u"s=2"_qs}}},
        // An "@" produced by "<A=" is not a line-break mark; a literal one is.
        {u"<A=@>", u"@／", {{Print::Text, u"@"_qs}}},
    };
}

TEST(MarkupTextTest, PlainTextOfEachExample)
{
    const TagStripper stripper;
    for (const MarkupCase& c : Cases()) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(stripper.Strip(text), QString::fromUtf16(c.plain));
    }
}

TEST(MarkupTextTest, PrintCommandsOfEachExampleWithoutTheGaijiFont)
{
    InstalledFonts fonts([] { return QStringList{u"Noto Sans CJK JP"_qs}; });
    for (const MarkupCase& c : Cases()) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(Print::ParseText(text, fonts), c.print);
    }
}

TEST(MarkupTextTest, ExternalCharactersUseTheGaijiFontWhenInstalled)
{
    InstalledFonts fonts([] { return QStringList{u"Morvane Gaiji"_qs}; });
    const std::vector<Cmd> expected{{Print::Text, u"a"_qs}, {Print::ExternalChar, QString(QChar(0x4F5D))},
        {Print::ExternalChar, QString(QChar(0x7A70))}};
    EXPECT_EQ(Print::ParseText(u"a<G=98C6><G=E274>", fonts), expected);
}

TEST(MarkupTextTest, GaijiFontNameMustMatchExactly)
{
    InstalledFonts fonts([] { return QStringList{u"morvane gaiji"_qs, u"Morvane Gaiji Bold"_qs}; });
    EXPECT_EQ(Print::ParseTag(u"G=98C6", fonts), (Cmd{Print::Text, u"倶"_qs}));
}

TEST(MarkupTextTest, FontSetIsLoadedOnTheFirstExternalCharacterOnly)
{
    int queries = 0;
    InstalledFonts fonts([&queries] {
        ++queries;
        return QStringList();
    });
    Print::ParseText(u"a<S=2>b@c", fonts);
    EXPECT_EQ(queries, 0);
    Print::ParseText(u"<G=98C6><G=98C9>", fonts);
    Print::ParseTag(u"G=E274", fonts);
    EXPECT_EQ(queries, 1);
}

TEST(MarkupTextTest, PlainTextResolvesExternalCharactersInsideOtherTags)
{
    const TagStripper stripper;
    EXPECT_EQ(stripper.Strip(u"<L=<G=9A46>>x"_qs), u"迦x"_qs);
    EXPECT_EQ(stripper.Strip(u"<A=<G=9A46>>"_qs), u"@迦"_qs);
}

TEST(GaijiTagConverterTest, TakesEightCharactersPerTagWithoutLookingAtTheLast)
{
    const GaijiTagConverter converter;
    EXPECT_EQ(converter.Convert(u"<G=98C6!z"_qs), u"倶z"_qs);
    EXPECT_EQ(converter.Convert(u"a<G=98C6>b<G=E274>c"_qs), u"a倶b鷗c"_qs);
    EXPECT_EQ(converter.Convert(u"<S=2>@"_qs), u"<S=2>@"_qs); // no external characters
    // Unknown codes come through as the decoded character itself.
    EXPECT_EQ(converter.Convert(u"<G=82A0>"_qs), u"あ"_qs);
}

TEST(GaijiTagConverterTest, TagCutShortTakesTheRestOfTheText)
{
    const GaijiTagConverter converter;
    EXPECT_EQ(converter.Convert(u"a<G=98C6"_qs), u"a倶"_qs);
    EXPECT_EQ(converter.Convert(u"a<G=41"_qs), u"aA"_qs);
    EXPECT_EQ(converter.Convert(u"a<G="_qs), u"a"_qs);
}

TEST(PrintTokenizerTest, LFormsUnderlinedTextWithoutItsPrefix)
{
    InstalledFonts fonts([] { return QStringList(); });
    EXPECT_EQ(Print::ParseTag(u"L=word", fonts), (Cmd{Print::UnderlinedText, u"word"_qs}));
    EXPECT_EQ(Print::ParseTag(u"L", fonts), (Cmd{Print::UnderlinedText, u"L"_qs}));
    EXPECT_EQ(Print::ParseTag(u"X=word", fonts), (Cmd{Print::UnderlinedText, u"X=word"_qs}));
}

TEST(PrintTokenizerTest, KeepsCharactersOutsideTheBasicPlaneWhole)
{
    InstalledFonts fonts([] { return QStringList(); });
    const QString text = u"𠮷@𠮷<S=𠮷>"_qs;
    const std::vector<Cmd> expected{{Print::Text, u"𠮷"_qs}, {Print::LineBreak, QString()}, {Print::Text, u"𠮷"_qs},
        {Print::SubscriptText, u"𠮷"_qs}};
    EXPECT_EQ(Print::ParseText(text, fonts), expected);
}

} // namespace
