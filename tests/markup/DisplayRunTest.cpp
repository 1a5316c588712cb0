#include "MarkupPrinters.h"

#include "markup/DisplayRun.h"

#include <gtest/gtest.h>

namespace {

DisplayRun TextRun(const QString& text)
{
    return {text, false};
}

DisplayRun ExternalRun(char16_t c)
{
    return {QString(QChar(c)), true};
}

TEST(DisplayRunTest, SplitsTextAroundWellFormedTags)
{
    EXPECT_TRUE(SplitDisplayRuns(QString()).empty());
    EXPECT_EQ(SplitDisplayRuns(u"a@b<S=2>"_qs), (std::vector{TextRun(u"a@b<S=2>"_qs)}));
    // The screen draws the code-position character itself in the font.
    EXPECT_EQ(SplitDisplayRuns(u"<G=98C6>"_qs), (std::vector{ExternalRun(0x4F5D)}));
    EXPECT_EQ(SplitDisplayRuns(u"ab<G=98c6>c<G=E274><G=9A46>"_qs),
        (std::vector{
            TextRun(u"ab"_qs), ExternalRun(0x4F5D), TextRun(u"c"_qs), ExternalRun(0x7A70), ExternalRun(0x54E5)}));
}

TEST(DisplayRunTest, MalformedTagsAreShownAsText)
{
    EXPECT_EQ(SplitDisplayRuns(u"<G=98C6!"_qs), (std::vector{TextRun(u"<"_qs), TextRun(u"G=98C6!"_qs)}));
    EXPECT_EQ(SplitDisplayRuns(u"<G=12ZZ>"_qs), (std::vector{TextRun(u"<"_qs), TextRun(u"G=12ZZ>"_qs)}));
    EXPECT_EQ(SplitDisplayRuns(u"x<G=98C"_qs), (std::vector{TextRun(u"x"_qs), TextRun(u"<"_qs), TextRun(u"G=98C"_qs)}));
    EXPECT_EQ(SplitDisplayRuns(u"<g=98C6>"_qs), (std::vector{TextRun(u"<g=98C6>"_qs)}));
    // A broken tag right before a good one does not swallow it.
    EXPECT_EQ(
        SplitDisplayRuns(u"<G=<G=98C6>"_qs), (std::vector{TextRun(u"<"_qs), TextRun(u"G="_qs), ExternalRun(0x4F5D)}));
}

} // namespace
