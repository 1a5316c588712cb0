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

int GaijiRun(QStringView code, InstalledFonts& fonts, QString& made)
{
    fonts.Load();
    const QString decoded = DecodeGaijiCode(code);
    if (fonts.IsFontInstalled(GaijiFaceName)) {
        made = decoded;
        return ExternalChar;
    }
    made = GaijiMapper().Map(decoded);
    return Text;
}

} // namespace

std::vector<Cmd> ParseText(QStringView text, InstalledFonts& fonts)
{
    std::vector<Cmd> cmds;
    ForEachRun(text, fonts, [&](int kind, QStringView shown) { cmds.push_back({kind, shown.toString()}); });
    return cmds;
}

Cmd ParseTag(QStringView content, InstalledFonts& fonts)
{
    QStringView shown;
    QString made;
    const int kind = ParseTagRun(content, fonts, shown, made);
    return {kind, made.isNull() ? shown.toString() : made};
}

int ParseTagRun(QStringView content, InstalledFonts& fonts, QStringView& shown, QString& made)
{
    const QStringView prefix = content.left(kPrefixLength);
    const QStringView rest = content.mid(kPrefixLength);
    if (prefix == kPrefixGaiji)
        return GaijiRun(rest, fonts, made);
    shown = rest;
    if (prefix == kPrefixSubscript)
        return SubscriptText;
    if (prefix == kPrefixAt) {
        shown = u"@";
        return Text;
    }
    // "L=" marks underlined text; the prefix is markup, not text to print.
    if (prefix == kPrefixUnderline)
        return UnderlinedText;
    shown = content;
    return UnderlinedText;
}

} // namespace Print
