#include "MarkupPrinters.h"

#include "markup/GaijiFace.h"
#include "markup/InstalledFonts.h"

#include <gtest/gtest.h>

namespace {

TEST(InstalledFontsTest, AnswersFromTheSystemFontConfiguration)
{
    InstalledFonts fonts;
    fonts.Load();
    EXPECT_GT(fonts.Count(), 0);
    EXPECT_TRUE(fonts.IsFontInstalled(u"Noto Sans CJK JP"));
    EXPECT_FALSE(fonts.IsFontInstalled(u"noto sans cjk jp")); // names are case-sensitive
    EXPECT_FALSE(fonts.IsFontInstalled(u"Noto Sans CJK"));
    EXPECT_FALSE(fonts.IsFontInstalled(u"Quillwort Imaginary Sans"));
    EXPECT_FALSE(fonts.IsFontInstalled(u""));
}

TEST(InstalledFontsTest, EmptyUntilLoaded)
{
    InstalledFonts fonts([] { return QStringList{u"Morvane Gaiji"_qs}; });
    EXPECT_FALSE(fonts.IsLoaded());
    EXPECT_FALSE(fonts.IsFontInstalled(GaijiFaceName));
    fonts.Load();
    EXPECT_TRUE(fonts.IsLoaded());
    EXPECT_TRUE(fonts.IsFontInstalled(GaijiFaceName));
}

TEST(InstalledFontsTest, LoadsOnceUntilCleared)
{
    int queries = 0;
    QStringList families{u"A"_qs, u"B"_qs, u"A"_qs};
    InstalledFonts fonts([&] {
        ++queries;
        return families;
    });
    fonts.Load();
    EXPECT_EQ(fonts.Count(), 2); // a family listed twice is kept once
    families = {u"C"_qs};
    fonts.Load();
    EXPECT_EQ(queries, 1);
    EXPECT_FALSE(fonts.IsFontInstalled(u"C")); // not seen until the next start

    fonts.Clear();
    EXPECT_EQ(fonts.Count(), 0);
    fonts.Load();
    EXPECT_EQ(queries, 2);
    EXPECT_TRUE(fonts.IsFontInstalled(u"C"));
    EXPECT_FALSE(fonts.IsFontInstalled(u"A"));
}

} // namespace
