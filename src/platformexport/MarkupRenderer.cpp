#include "platformexport/MarkupRenderer.h"

#include "markup/GaijiMapper.h"
#include "markup/InstalledFonts.h"
#include "markup/PrintTokenizer.h"
#include "platformexport/Utf8Text.h"

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

bool MarkupRenderer::HasMarkup(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c == u'<' || c == u'@' || c == u'＠'; });
}

std::vector<Print::Cmd> MarkupRenderer::Runs(const QString& markup)
{
    // Most answers and keywords hold no markup: the text itself, shared.
    if (!HasMarkup(markup))
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
    Utf8Text escaped;
    escaped.Append(text, EscapeTable::Html());
    const std::string_view bytes = escaped.View();
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString MarkupRenderer::ToHtml(const QString& markup)
{
    Utf8Text html;
    AppendHtml(html, markup);
    const std::string_view bytes = html.View();
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void MarkupRenderer::AppendHtml(Utf8Text& out, const QString& markup, const EscapeTable& document)
{
    const EscapeTable& text = document.AfterHtml();
    if (!HasMarkup(markup)) {
        out.Append(markup, text);
        return;
    }
    const auto tag = [&](QStringView html) { out.Append(html, document); };
    for (const Print::Cmd& cmd : Runs(markup)) {
        switch (cmd.kind) {
        case Print::LineBreak: tag(u"<br/>"); break;
        case Print::UnderlinedText:
            tag(u"<u>");
            out.Append(cmd.text, text);
            tag(u"</u>");
            break;
        case Print::SubscriptText:
            tag(u"<sub>");
            out.Append(cmd.text, text);
            tag(u"</sub>");
            break;
        default: out.Append(cmd.text, text);
        }
    }
}

QString MarkupRenderer::ToPlain(const QString& markup, const QString& lineBreak)
{
    if (!HasMarkup(markup))
        return markup;
    QString plain;
    for (const Print::Cmd& cmd : Runs(markup))
        plain += cmd.kind == Print::LineBreak ? lineBreak : cmd.text;
    return plain;
}
