#include "platformexport/ItemText.h"

#include "platformexport/ExportPrint.h"
#include "platformexport/MarkupRenderer.h"

QString ItemText::Name(const ExportPrint& print, const ExportItem& item)
{
    QString name = print.name + QLatin1Char('-') + QString::number(item.position);
    const QString keyword = MarkupRenderer::ToPlain(item.keyword, QStringLiteral(" ")).simplified();
    if (!keyword.isEmpty())
        name += QLatin1Char(' ') + keyword;
    return name;
}

QString ItemText::QuestionHtml(const ExportItem& item)
{
    QString html;
    if (!item.instruction.isEmpty()) {
        html += QLatin1String("<p>");
        MarkupRenderer::AppendHtml(html, item.instruction);
        html += QLatin1String("</p>");
    }
    html += QLatin1String("<p>");
    MarkupRenderer::AppendHtml(html, item.sentence);
    html += QLatin1String("</p>");
    return html;
}

QString ItemText::AnswerHtml(const ExportItem& item)
{
    return MarkupRenderer::ToHtml(item.answer);
}
