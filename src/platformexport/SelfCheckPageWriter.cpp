#include "platformexport/SelfCheckPageWriter.h"

#include "platformexport/AnswerNormalizer.h"
#include "platformexport/ExportSet.h"
#include "platformexport/MarkupRenderer.h"
#include "platformexport/SelfCheckPageAssets.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString Escape(const QString& text)
{
    return MarkupRenderer::EscapeHtml(text);
}

QString Text(int id)
{
    return Res::String(id);
}

// The CSP source of an inline element's exact text, so that only the
// page's own style and script run, whatever a book text might hold.
QString HashSource(const QString& content)
{
    return QStringLiteral("'sha256-")
        + QString::fromLatin1(QCryptographicHash::hash(content.toUtf8(), QCryptographicHash::Sha256).toBase64())
        + QLatin1Char('\'');
}

// JSON that cannot end its script element or open a comment there.
QString ScriptSafeJson(const QJsonObject& object)
{
    QString json = QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
    json.replace(QLatin1Char('<'), QLatin1String("\\u003c"));
    json.replace(QLatin1Char('>'), QLatin1String("\\u003e"));
    json.replace(QLatin1Char('&'), QLatin1String("\\u0026"));
    return json;
}

QJsonObject PageData(const ExportSet& set)
{
    QJsonArray prints;
    for (const ExportPrint& print : set.prints) {
        QJsonArray items;
        for (const ExportItem& item : print.items)
            items.append(QJsonArray::fromStringList(AnswerNormalizer::Alternatives(item.answer)));
        prints.append(items);
    }
    QJsonObject text;
    text.insert(QStringLiteral("right"), Text(Res::IDS_EXPORT_PAGE_RIGHT));
    text.insert(QStringLiteral("wrong"), Text(Res::IDS_EXPORT_PAGE_WRONG));
    text.insert(QStringLiteral("score"), Text(Res::IDS_EXPORT_PAGE_SCORE));
    text.insert(QStringLiteral("show"), Text(Res::IDS_EXPORT_PAGE_SHOW));
    text.insert(QStringLiteral("hide"), Text(Res::IDS_EXPORT_PAGE_HIDE));
    QJsonObject data;
    data.insert(QStringLiteral("accepted"), prints);
    data.insert(QStringLiteral("text"), text);
    return data;
}

void WriteItem(QString& html, const ExportItem& item, const QString& inputLabel)
{
    const QString number = QString::number(item.number);
    html += QLatin1String("<div class=\"item\"><div class=\"sentence\"><b>(");
    html += number;
    html += QLatin1String(")</b> ");
    MarkupRenderer::AppendHtml(html, item.sentence);
    html += QLatin1String("</div>\n<div class=\"entry\">");
    html += QLatin1String("<input type=\"text\" autocomplete=\"off\" autocapitalize=\"off\" autocorrect=\"off\" "
                          "spellcheck=\"false\" enterkeyhint=\"next\" aria-label=\"");
    MarkupRenderer::AppendEscapedHtml(html, QString(inputLabel).replace(QLatin1String("%d"), number));
    html += QLatin1String("\">");
    html += QLatin1String("<span class=\"mark\" aria-live=\"polite\"></span></div>\n");
    html += QLatin1String("<div class=\"answer\" hidden>");
    MarkupRenderer::AppendHtml(html, item.answer);
    html += QLatin1String("</div></div>\n");
}

void WritePrint(QString& html, const ExportPrint& print, int index)
{
    html += QStringLiteral("<section class=\"print\" id=\"print-%1\">\n<h2>").arg(index + 1) + Escape(print.name)
        + QLatin1String("</h2>\n");
    const QString inputLabel = Text(Res::IDS_EXPORT_PAGE_INPUT);
    int format = 0;
    for (const ExportItem& item : print.items) {
        if (item.formatNumber != format) {
            format = item.formatNumber;
            html += QStringLiteral("<p class=\"instruction\">%1. ").arg(format)
                + MarkupRenderer::ToHtml(item.instruction) + QLatin1String("</p>\n");
        }
        WriteItem(html, item, inputLabel);
    }
    html += QLatin1String("<div class=\"buttons\"><button type=\"button\" class=\"check\">")
        + Escape(Text(Res::IDS_EXPORT_PAGE_CHECK))
        + QLatin1String("</button><button type=\"button\" class=\"show\" aria-expanded=\"false\">")
        + Escape(Text(Res::IDS_EXPORT_PAGE_SHOW)) + QLatin1String("</button></div>\n");
    html += QLatin1String("<p class=\"score\" aria-live=\"polite\"></p>\n</section>\n");
}

} // namespace

QByteArray SelfCheckPageWriter::Write(const ExportSet& set)
{
    const QString style = QString::fromUtf8(SelfCheckPageAssets::Style);
    const QString script = QString::fromUtf8(SelfCheckPageAssets::Script);
    const QString title = set.bookTitle.simplified();

    QString html;
    html += QLatin1String("<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n");
    html += QLatin1String("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n");
    html += QLatin1String("<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; style-src ")
        + HashSource(style) + QLatin1String("; script-src ") + HashSource(script)
        + QLatin1String("; base-uri 'none'; form-action 'none'\">\n");
    html += QLatin1String("<title>") + Escape(title) + QLatin1String(" ") + Escape(Text(Res::IDS_EXPORT_PAGE_SUBTITLE))
        + QLatin1String("</title>\n");
    html += QLatin1String("<style>") + style + QLatin1String("</style>\n</head>\n<body>\n<main>\n");
    html += QLatin1String("<h1>") + Escape(title) + QLatin1String("</h1>\n<p class=\"subtitle\">")
        + Escape(Text(Res::IDS_EXPORT_PAGE_SUBTITLE)) + QLatin1String("　") + Escape(Text(Res::IDS_EXPORT_PAGE_HINT))
        + QLatin1String("</p>\n");
    for (int p = 0; p < static_cast<int>(set.prints.size()); ++p)
        WritePrint(html, set.prints[static_cast<size_t>(p)], p);
    html += QLatin1String("</main>\n<script type=\"application/json\" id=\"tv-data\">") + ScriptSafeJson(PageData(set))
        + QLatin1String("</script>\n");
    html += QLatin1String("<script>") + script + QLatin1String("</script>\n</body>\n</html>\n");
    return html.toUtf8();
}
