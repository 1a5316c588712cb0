#include "platformexport/MarkupRenderer.h"

#include "markup/GaijiMapper.h"
#include "markup/InstalledFonts.h"
#include "markup/PrintTokenizer.h"
#include "platformexport/Utf8Text.h"

#include <algorithm>

// A font set without the external-character font, so that the tokenizer
// gives every external character as its ordinary character; asking the
// system's fonts would also cost a font enumeration.
InstalledFonts& MarkupRenderer::NoFonts()
{
    static InstalledFonts fonts([] { return QStringList(); });
    return fonts;
}

bool MarkupRenderer::HasMarkup(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c == u'<' || c == u'@' || c == u'＠'; });
}

void MarkupRenderer::Prepare()
{
    GaijiMapper();
    NoFonts().Load();
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
    const EscapeTable& escapes = document.AfterHtml();
    const auto tag = [&](std::string_view html) { out.Append(html, document); };
    ForEachRun(markup, [&](int kind, QStringView text) {
        switch (kind) {
        case Print::LineBreak: tag("<br/>"); break;
        case Print::UnderlinedText:
            tag("<u>");
            out.Append(text, escapes);
            tag("</u>");
            break;
        case Print::SubscriptText:
            tag("<sub>");
            out.Append(text, escapes);
            tag("</sub>");
            break;
        default: out.Append(text, escapes);
        }
    });
}

QString MarkupRenderer::ToPlain(const QString& markup, const QString& lineBreak)
{
    if (!HasMarkup(markup))
        return markup;
    QString plain;
    ForEachRun(markup, [&](int kind, QStringView text) {
        if (kind == Print::LineBreak)
            plain += lineBreak;
        else
            plain += text;
    });
    return plain;
}
