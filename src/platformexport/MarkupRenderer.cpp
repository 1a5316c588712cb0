#include "platformexport/MarkupRenderer.h"

#include "markup/GaijiMapper.h"
#include "markup/InstalledFonts.h"
#include "markup/PrintTokenizer.h"

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
    escaped.reserve(text.size() + text.size() / 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&': escaped += QLatin1String("&amp;"); break;
        case u'<': escaped += QLatin1String("&lt;"); break;
        case u'>': escaped += QLatin1String("&gt;"); break;
        case u'"': escaped += QLatin1String("&quot;"); break;
        default: escaped += c;
        }
    }
    return escaped;
}

QString MarkupRenderer::ToHtml(const QString& markup)
{
    QString html;
    for (const Print::Cmd& cmd : Runs(markup)) {
        switch (cmd.kind) {
        case Print::LineBreak: html += QLatin1String("<br/>"); break;
        case Print::UnderlinedText: html += QLatin1String("<u>") + EscapeHtml(cmd.text) + QLatin1String("</u>"); break;
        case Print::SubscriptText:
            html += QLatin1String("<sub>") + EscapeHtml(cmd.text) + QLatin1String("</sub>");
            break;
        default: html += EscapeHtml(cmd.text);
        }
    }
    return html;
}

QString MarkupRenderer::ToPlain(const QString& markup, const QString& lineBreak)
{
    QString plain;
    for (const Print::Cmd& cmd : Runs(markup))
        plain += cmd.kind == Print::LineBreak ? lineBreak : cmd.text;
    return plain;
}
