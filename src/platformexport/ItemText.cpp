#include "platformexport/ItemText.h"

#include "platformexport/EscapeTable.h"
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
    Utf8Text name;
    AppendName(name, print, item, EscapeTable::None());
    const std::string_view bytes = name.View();
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void ItemText::AppendName(Utf8Text& out, const ExportPrint& print, const ExportItem& item, const EscapeTable& escapes)
{
    out.Append(print.name, escapes);
    out.Append(std::string_view("-"), escapes);
    out.AppendNumber(item.position);
    // The keyword as printed, on one line; most are so already.
    QString keyword = MarkupRenderer::ToPlain(item.keyword, QStringLiteral(" "));
    if (!IsSimple(keyword))
        keyword = keyword.simplified();
    if (keyword.isEmpty())
        return;
    out.Append(std::string_view(" "), escapes);
    out.Append(keyword, escapes);
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
