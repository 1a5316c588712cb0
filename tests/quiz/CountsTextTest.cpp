#include "quiz/CountsText.h"
#include "quiz/TextSplit.h"

#include <gtest/gtest.h>

namespace {

TEST(TextSplitTest, PiecesFollowTheStoredTextRules)
{
    EXPECT_EQ(TextSplit::Split(QString(), u','), QStringList());
    EXPECT_EQ(TextSplit::Split(QStringLiteral(",a"), u','), (QStringList{QString(), QStringLiteral("a")}));
    EXPECT_EQ(TextSplit::Split(QStringLiteral("a,"), u','), QStringList{QStringLiteral("a")});
    EXPECT_EQ(TextSplit::Split(QStringLiteral("a,,b"), u','),
        (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
    EXPECT_EQ(TextSplit::Split(QStringLiteral("1:"), u':'), QStringList{QStringLiteral("1")});
}

TEST(CountsTextTest, ReadsOnlyWellFormedEntries)
{
    EXPECT_EQ(CountsText::Parse(QStringLiteral("11:10|12:5")), (std::map<int, int>{{11, 10}, {12, 5}}));
    EXPECT_EQ(CountsText::Parse(QStringLiteral("7:3|x|9:1:2")), (std::map<int, int>{{7, 3}}));
    EXPECT_EQ(CountsText::Parse(QStringLiteral("a:3|4:b||5:|:6| 8: 2")), (std::map<int, int>{{8, 2}}));
    EXPECT_TRUE(CountsText::Parse(QString()).empty());
}

TEST(CountsTextTest, WritesAscendingQids)
{
    EXPECT_EQ(CountsText::Format({{12, 5}, {11, 10}, {-3, 0}}), QStringLiteral("-3:0|11:10|12:5"));
    EXPECT_EQ(CountsText::Format({}), QString());
    const std::map<int, int> counts{{1, 2}, {30, 40}};
    EXPECT_EQ(CountsText::Parse(CountsText::Format(counts)), counts);
}

} // namespace
