#include "MarkupPrinters.h"

#include "markup/DecodeGaijiCode.h"
#include "markup/GaijiMapper.h"

#include <gtest/gtest.h>

namespace {

struct GaijiEntry {
    const char16_t* tagCode;
    char16_t key;
    char16_t replacement;
};

// Each tag code as it stands in the content, the character the code page
// gives it and the ordinary character printed when the font is missing.
const GaijiEntry kEntries[] = {
    {u"98C6", 0x4F5D, 0x5036},
    {u"98C9", 0x4F76, 0x50C5},
    {u"98EC", 0x5011, 0x5265},
    {u"99A7", 0x52DE, 0x5544},
    {u"99AC", 0x52F3, 0x5632},
    {u"99BE", 0x5346, 0x559D},
    {u"99CD", 0x53A6, 0x6EBA},
    {u"99E8", 0x5475, 0x845B},
    {u"99EC", 0x5477, 0x853D},
    {u"9A46", 0x54E5, 0x8FE6},
    {u"9A52", 0x554C, 0x905C},
    {u"9A58", 0x5538, 0x9061},
    {u"9A79", 0x5650, 0x63BB},
    {u"9A91", 0x56C1, 0x5861},
    {u"9BAC", 0x5CBB, 0x6357},
    {u"9BB5", 0x5CFD, 0x8511},
    {u"9BD5", 0x5D90, 0x6DEB},
    {u"9BE2", 0x5E1A, 0x53F1},
    {u"9C87", 0x602B, 0x714E},
    {u"9CC4", 0x613C, 0x7259},
    {u"9D5A", 0x62BB, 0x6BBB},
    {u"9EFA", 0x6A84, 0x7BB8},
    {u"E047", 0x6F80, 0x8B0E},
    {u"E072", 0x7051, 0x8CED},
    {u"E194", 0x7646, 0x990C},
    {u"E195", 0x765C, 0x9905},
    {u"E1A3", 0x7680, 0x9830},
    {u"E274", 0x7A70, 0x9DD7},
};

TEST(GaijiMapperTest, EveryTagCodeDecodesToItsKeyAndMapsToItsReplacement)
{
    const GaijiMapper mapper;
    EXPECT_EQ(GaijiMapper::TableSize(), 28);
    for (const GaijiEntry& entry : kEntries) {
        const QString code = QString::fromUtf16(entry.tagCode);
        SCOPED_TRACE(code.toStdString());
        const QString key = DecodeGaijiCode(code);
        EXPECT_EQ(key, QString(QChar(entry.key)));
        EXPECT_EQ(mapper.Map(key), QString(QChar(entry.replacement)));
    }
}

TEST(GaijiMapperTest, OnlyAWholeKeyIsReplaced)
{
    const GaijiMapper mapper;
    EXPECT_EQ(mapper.Map(u"倶"_qs), u"倶"_qs); // a replacement is not itself a key
    EXPECT_EQ(mapper.Map(QString()), QString());
    EXPECT_EQ(mapper.Map(u"佝x"_qs), u"佝x"_qs);
    EXPECT_EQ(mapper.Map(u"x佝"_qs), u"x佝"_qs);
    EXPECT_EQ(mapper.Map(u"佝佝"_qs), u"佝佝"_qs);
}

TEST(GaijiMapperTest, MapsAgainAfterTheTableWasReleased)
{
    const GaijiMapper mapper; // made before the release, used after it
    GaijiMapper::ReleaseTable();
    EXPECT_EQ(mapper.Map(u"穰"_qs), u"鷗"_qs);
    EXPECT_EQ(GaijiMapper::TableSize(), 28);
}

} // namespace
