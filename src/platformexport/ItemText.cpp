#include "platformexport/ItemText.h"

#include "platformexport/ExportPrint.h"
#include "platformexport/MarkupRenderer.h"
#include "platformexport/Utf8Text.h"

namespace {

// Whether simplified() would give the text back as it is.
bool IsSimple(const QString& text)
{
    if (text.isEmpty())
        return true;
    if (text.front().isSpace() || text.back().isSpace())
        return false;
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (text[i].isSpace() && (text[i] != u' ' || text[i - 1].isSpace()))
            return false;
    }
    return true;
}

} // namespace

QString ItemText::Name(const ExportPrint& print, const ExportItem& item)
{
    QString keyword = MarkupRenderer::ToPlain(item.keyword, QStringLiteral(" "));
    if (!IsSimple(keyword))
        keyword = keyword.simplified();
    QString name;
    name.reserve(print.name.size() + keyword.size() + 8);
    name += print.name;
    name += QLatin1Char('-');
    name += QString::number(item.position);
    if (!keyword.isEmpty()) {
        name += QLatin1Char(' ');
        name += keyword;
    }
    return name;
}

void ItemText::AppendQuestionHtml(Utf8Text& out, const ExportItem& item, const EscapeTable& document)
{
    if (!item.instruction.isEmpty()) {
        out.Append(u"<p>", document);
        MarkupRenderer::AppendHtml(out, item.instruction, document);
        out.Append(u"</p>", document);
    }
    out.Append(u"<p>", document);
    MarkupRenderer::AppendHtml(out, item.sentence, document);
    out.Append(u"</p>", document);
}

void ItemText::AppendAnswerHtml(Utf8Text& out, const ExportItem& item, const EscapeTable& document)
{
    MarkupRenderer::AppendHtml(out, item.answer, document);
}
