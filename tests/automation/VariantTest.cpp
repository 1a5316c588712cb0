#include "automation/Variant.h"

#include <gtest/gtest.h>

using Automation::Variant;

namespace {

TEST(VariantTest, OmittedArgumentIsDistinctFromEmptyAndFromFalse)
{
    EXPECT_TRUE(Variant::Missing().IsMissing());
    EXPECT_TRUE(Variant::Missing().IsNull());
    EXPECT_FALSE(Variant().IsMissing());
    EXPECT_TRUE(Variant().IsEmpty());
    EXPECT_FALSE(Variant::Missing() == Variant());
    EXPECT_FALSE(Variant(false) == Variant(0));
    EXPECT_FALSE(Variant(false).IsNull());
}

TEST(VariantTest, TextLiteralsBecomeTextsNotBooleans)
{
    EXPECT_EQ(Variant("標準").GetType(), Variant::Type::String);
    EXPECT_EQ(Variant("標準").ToString(), QStringLiteral("標準"));
    EXPECT_EQ(Variant(u"設問").ToString(), QStringLiteral("設問"));
}

TEST(VariantTest, ConversionsReportWhetherTheyWorked)
{
    bool ok = false;
    EXPECT_EQ(Variant(QStringLiteral(" 12 ")).ToInt(&ok), 12);
    EXPECT_TRUE(ok);
    EXPECT_EQ(Variant(QStringLiteral("x")).ToInt(&ok), 0);
    EXPECT_FALSE(ok);
    EXPECT_EQ(Variant::Missing().ToInt(&ok), 0);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(Variant(7).ToBool(&ok));
    EXPECT_TRUE(ok);
    EXPECT_TRUE(Variant(QStringLiteral("TRUE")).ToBool());
    EXPECT_EQ(Variant(true).ToInt(), 1);
    Variant::Missing().ToString(&ok);
    EXPECT_FALSE(ok);
}

} // namespace
