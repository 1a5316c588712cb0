#include "markup/PrintTokenizer.h"

#include "markup/DecodeGaijiCode.h"
#include "markup/GaijiFace.h"
#include "markup/GaijiMapper.h"

namespace Print {

namespace {

constexpr QStringView kPrefixGaiji = u"G=";
constexpr QStringView kPrefixSubscript = u"S=";
constexpr QStringView kPrefixAt = u"A=";
constexpr QStringView kPrefixUnderline = u"L=";
constexpr qsizetype kPrefixLength = 2;

bool IsLineBreakMark(QChar c)
{
    return c == u'@' || c == u'＠';
}

void AppendText(QStringView text, std::vector<Cmd>& cmds)
{
    if (!text.isEmpty())
        cmds.push_back({Text, text.toString()});
}

Cmd GaijiCmd(QStringView code, InstalledFonts& fonts)
{
    fonts.Load();
    const QString decoded = DecodeGaijiCode(code);
    if (fonts.IsFontInstalled(GaijiFaceName))
        return {ExternalChar, decoded};
    return {Text, GaijiMapper().Map(decoded)};
}

} // namespace

std::vector<Cmd> ParseText(QStringView text, InstalledFonts& fonts)
{
    std::vector<Cmd> cmds;
    qsizetype textStart = 0; // start of the ordinary characters not yet emitted
    qsizetype pos = 0;
    while (pos < text.size()) {
        const QChar c = text[pos];
        if (c == u'<') {
            AppendText(text.mid(textStart, pos - textStart), cmds);
            const qsizetype close = text.indexOf(u'>', pos + 1);
            if (close < 0) {
                cmds.push_back(ParseTag(text.mid(pos + 1), fonts));
                return cmds;
            }
            cmds.push_back(ParseTag(text.mid(pos + 1, close - pos - 1), fonts));
            pos = textStart = close + 1;
        } else if (IsLineBreakMark(c)) {
            AppendText(text.mid(textStart, pos - textStart), cmds);
            cmds.push_back({LineBreak, QString()});
            pos = textStart = pos + 1;
        } else {
            ++pos;
        }
    }
    AppendText(text.mid(textStart), cmds);
    return cmds;
}

Cmd ParseTag(QStringView content, InstalledFonts& fonts)
{
    const QStringView prefix = content.left(kPrefixLength);
    const QStringView rest = content.mid(kPrefixLength);
    if (prefix == kPrefixGaiji)
        return GaijiCmd(rest, fonts);
    if (prefix == kPrefixSubscript)
        return {SubscriptText, rest.toString()};
    if (prefix == kPrefixAt)
        return {Text, QStringLiteral("@")};
    // "L=" marks underlined text; the prefix is markup, not text to print.
    if (prefix == kPrefixUnderline)
        return {UnderlinedText, rest.toString()};
    return {UnderlinedText, content.toString()};
}

} // namespace Print
