#include "markup/GaijiMapper.h"

#include <map>

namespace {

struct GaijiPair {
    char16_t key;         // the character the code page gives the tag's code
    char16_t replacement; // the ordinary character the glyph shows
};

// Tag codes (CP932) in the comments.
constexpr GaijiPair kGaijiPairs[] = {
    {0x4F5D, 0x5036}, // 98C6
    {0x4F76, 0x50C5}, // 98C9
    {0x5011, 0x5265}, // 98EC
    {0x52DE, 0x5544}, // 99A7
    {0x52F3, 0x5632}, // 99AC
    {0x5346, 0x559D}, // 99BE
    {0x53A6, 0x6EBA}, // 99CD
    {0x5475, 0x845B}, // 99E8
    {0x5477, 0x853D}, // 99EC
    {0x54E5, 0x8FE6}, // 9A46
    {0x554C, 0x905C}, // 9A52
    {0x5538, 0x9061}, // 9A58
    {0x5650, 0x63BB}, // 9A79
    {0x56C1, 0x5861}, // 9A91
    {0x5CBB, 0x6357}, // 9BAC
    {0x5CFD, 0x8511}, // 9BB5
    {0x5D90, 0x6DEB}, // 9BD5
    {0x5E1A, 0x53F1}, // 9BE2
    {0x602B, 0x714E}, // 9C87
    {0x613C, 0x7259}, // 9CC4
    {0x62BB, 0x6BBB}, // 9D5A
    {0x6A84, 0x7BB8}, // 9EFA
    {0x6F80, 0x8B0E}, // E047
    {0x7051, 0x8CED}, // E072
    {0x7646, 0x990C}, // E194
    {0x765C, 0x9905}, // E195
    {0x7680, 0x9830}, // E1A3
    {0x7A70, 0x9DD7}, // E274
};

struct GaijiTable {
    std::map<QString, QString, std::less<>> map;
    bool built = false;
};

GaijiTable& Table()
{
    static GaijiTable table;
    return table;
}

const std::map<QString, QString, std::less<>>& BuiltMap()
{
    GaijiTable& table = Table();
    if (!table.built) {
        table.map.clear();
        for (const GaijiPair& pair : kGaijiPairs)
            table.map.emplace(QString(QChar(pair.key)), QString(QChar(pair.replacement)));
        table.built = true;
    }
    return table.map;
}

} // namespace

GaijiMapper::GaijiMapper()
{
    BuiltMap();
}

QString GaijiMapper::Map(const QString& text) const
{
    const auto& map = BuiltMap();
    if (text.size() != 1) // every key is a single character
        return text;
    auto found = map.find(text);
    return found == map.end() ? text : found->second;
}

int GaijiMapper::TableSize()
{
    return static_cast<int>(BuiltMap().size());
}

void GaijiMapper::ReleaseTable()
{
    GaijiTable& table = Table();
    table.map.clear();
    table.built = false;
}
