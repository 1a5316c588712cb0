#include "MarkupPrinters.h"

#include "markup/DecodeGaijiCode.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

const QString kReplacement(QChar(0xFFFD));

TEST(DecodeGaijiCodeTest, ReadsTwoByteShiftJisCodes)
{
    EXPECT_EQ(DecodeGaijiCode(u"98C6"), QString(QChar(0x4F5D)));
    EXPECT_EQ(DecodeGaijiCode(u"98c6"), QString(QChar(0x4F5D)));
    EXPECT_EQ(DecodeGaijiCode(u"82A0"), u"あ"_qs);
    // Codes beyond Shift_JIS proper that the Windows code page adds.
    EXPECT_EQ(DecodeGaijiCode(u"8740"), u"①"_qs);
    EXPECT_EQ(DecodeGaijiCode(u"98C6E274"), u"佝穰"_qs);
}

TEST(DecodeGaijiCodeTest, DoesNotDependOnTheProcessLocale)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C");
    const QString underC = DecodeGaijiCode(u"98C6");
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(underC, QString(QChar(0x4F5D)));
}

TEST(DecodeGaijiCodeTest, ReadsSingleBytesAndShortCodes)
{
    EXPECT_EQ(DecodeGaijiCode(u"41"), u"A"_qs);
    EXPECT_EQ(DecodeGaijiCode(u"B1"), u"ｱ"_qs);
    EXPECT_EQ(DecodeGaijiCode(u"414"), u"A\x04"_qs); // a last digit is read alone
    EXPECT_EQ(DecodeGaijiCode(u""), QString());
}

TEST(DecodeGaijiCodeTest, APairIsReadUpToItsFirstNonDigit)
{
    EXPECT_EQ(DecodeGaijiCode(u"4Z41"),
        u"\x04"
        "A"_qs);
    // " 9", "+9" and "-1" are not numbers here, whatever strtol would say.
    EXPECT_EQ(DecodeGaijiCode(u"41 9"), u"A"_qs);
    EXPECT_EQ(DecodeGaijiCode(u"41-1"), u"A"_qs);
}

TEST(DecodeGaijiCodeTest, AZeroByteEndsTheCode)
{
    EXPECT_EQ(DecodeGaijiCode(u"0041"), QString());
    EXPECT_EQ(DecodeGaijiCode(u"41ZZ42"), u"A"_qs);
    EXPECT_EQ(DecodeGaijiCode(u"12ZZ"), u"\x12"_qs);
}

TEST(DecodeGaijiCodeTest, BytesThatAreNoCharacterStayVisible)
{
    EXPECT_EQ(DecodeGaijiCode(u"98"), kReplacement); // lead byte without its trail
    EXPECT_EQ(DecodeGaijiCode(u"FD41"), kReplacement + u"A"_qs);
    EXPECT_EQ(DecodeGaijiCode(u"9841"), QString(QChar(0x9023))); // 98 41 is a character
}

} // namespace
