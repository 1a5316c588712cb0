#include "desktop/TextFormat.h"

#include <gtest/gtest.h>

TEST(TextFormatTest, FillsNumbersAndTextsInOrder)
{
    EXPECT_EQ(FormatText(QStringLiteral("エラーコード - %d"), {112}), QStringLiteral("エラーコード - 112"));
    EXPECT_EQ(FormatText(QStringLiteral("ヘルプファイル\n%s\nが見つかりません。"), {QStringLiteral("/a/b.html")}),
        QStringLiteral("ヘルプファイル\n/a/b.html\nが見つかりません。"));
    EXPECT_EQ(FormatText(QStringLiteral("[%d] %s"), {3, QStringLiteral("和訳せよ")}), QStringLiteral("[3] 和訳せよ"));
    EXPECT_EQ(FormatText(QStringLiteral("%d ～ %d"), {-5, 2147483647}), QStringLiteral("-5 ～ 2147483647"));
    EXPECT_EQ(FormatText(QStringLiteral("%ls and %S"), {"x", QStringLiteral("y")}), QStringLiteral("x and y"));
}

TEST(TextFormatTest, AppliesFlagsWidthAndPrecision)
{
    EXPECT_EQ(FormatText(QStringLiteral("[%5d]"), {42}), QStringLiteral("[   42]"));
    EXPECT_EQ(FormatText(QStringLiteral("[%-5d]"), {42}), QStringLiteral("[42   ]"));
    EXPECT_EQ(FormatText(QStringLiteral("[%05d]"), {-42}), QStringLiteral("[-0042]"));
    EXPECT_EQ(FormatText(QStringLiteral("[%+d]"), {7}), QStringLiteral("[+7]"));
    EXPECT_EQ(FormatText(QStringLiteral("[%.3d]"), {7}), QStringLiteral("[007]"));
    EXPECT_EQ(FormatText(QStringLiteral("[%x|%X|%#x|%o]"), {255, 255, 255, 8}), QStringLiteral("[ff|FF|0xff|10]"));
    EXPECT_EQ(FormatText(QStringLiteral("[%u]"), {-1}), QStringLiteral("[4294967295]"));
    EXPECT_EQ(FormatText(QStringLiteral("[%.2s|%4s|%-4s]"), {"abc", "ab", "ab"}), QStringLiteral("[ab|  ab|ab  ]"));
    EXPECT_EQ(FormatText(QStringLiteral("[%c]"), {0x3042}), QStringLiteral("[あ]"));
}

TEST(TextFormatTest, OddFormatsNeverLoseText)
{
    EXPECT_EQ(FormatText(QStringLiteral("100%% 完了")), QStringLiteral("100% 完了"));
    EXPECT_EQ(FormatText(QStringLiteral("a %d b")), QStringLiteral("a  b")) << "a missing argument is an empty field";
    EXPECT_EQ(FormatText(QStringLiteral("%d"), {1, 2}), QStringLiteral("1"));
    EXPECT_EQ(FormatText(QStringLiteral("%q! %y"), {1}), QStringLiteral("%q! %y"));
    EXPECT_EQ(FormatText(QStringLiteral("end %"), {1}), QStringLiteral("end %"));
    EXPECT_EQ(FormatText(QStringLiteral("end %-0"), {1}), QStringLiteral("end %-0"));
    EXPECT_EQ(FormatText(QString()), QString());
}
