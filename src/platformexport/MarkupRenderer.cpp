#include "platformexport/MarkupRenderer.h"

#include "markup/GaijiMapper.h"
#include "markup/InstalledFonts.h"
#include "markup/PrintTokenizer.h"
#include "platformexport/EscapedText.h"

#include <algorithm>

namespace {

// A font set without the external-character font, so that the tokenizer
// gives every external character as its ordinary character; asking the
// system's fonts would also cost a font enumeration.
InstalledFonts& NoFonts()
{
    static InstalledFonts fonts([] { return QStringList(); });
    return fonts;
}

} // namespace

std::vector<Print::Cmd> MarkupRenderer::Runs(const QString& markup)
{
    // Most answers and keywords hold no markup: the text itself, shared.
    if (std::none_of(markup.cbegin(), markup.cend(), [](QChar c) { return c == u'<' || c == u'@' || c == u'＠'; }))
        return markup.isEmpty() ? std::vector<Print::Cmd>() : std::vector<Print::Cmd>{{Print::Text, markup}};
    std::vector<Print::Cmd> cmds = Print::ParseText(markup, NoFonts());
    for (Print::Cmd& cmd : cmds) {
        if (cmd.kind == Print::ExternalChar)
            cmd = {Print::Text, GaijiMapper().Map(cmd.text)};
    }
    return cmds;
}

QString MarkupRenderer::EscapeHtml(const QString& text)
{
    QString escaped;
    AppendEscapedHtml(escaped, text);
    return escaped;
}

void MarkupRenderer::AppendEscapedHtml(QString& out, QStringView text)
{
    EscapedText::Append(out, text, [](char16_t c) -> std::optional<QLatin1String> {
        switch (c) {
        case u'&': return QLatin1String("&amp;");
        case u'<': return QLatin1String("&lt;");
        case u'>': return QLatin1String("&gt;");
        case u'"': return QLatin1String("&quot;");
        default: return std::nullopt;
        }
    });
}

QString MarkupRenderer::ToHtml(const QString& markup)
{
    QString html;
    AppendHtml(html, markup);
    return html;
}

void MarkupRenderer::AppendHtml(QString& out, const QString& markup)
{
    for (const Print::Cmd& cmd : Runs(markup)) {
        switch (cmd.kind) {
        case Print::LineBreak: out += QLatin1String("<br/>"); break;
        case Print::UnderlinedText:
            out += QLatin1String("<u>");
            AppendEscapedHtml(out, cmd.text);
            out += QLatin1String("</u>");
            break;
        case Print::SubscriptText:
            out += QLatin1String("<sub>");
            AppendEscapedHtml(out, cmd.text);
            out += QLatin1String("</sub>");
            break;
        default: AppendEscapedHtml(out, cmd.text);
        }
    }
}

QString MarkupRenderer::ToPlain(const QString& markup, const QString& lineBreak)
{
    QString plain;
    for (const Print::Cmd& cmd : Runs(markup))
        plain += cmd.kind == Print::LineBreak ? lineBreak : cmd.text;
    return plain;
}
