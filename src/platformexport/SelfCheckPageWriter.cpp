#include "platformexport/SelfCheckPageWriter.h"

#include "platformexport/AnswerNormalizer.h"
#include "platformexport/EscapeTable.h"
#include "platformexport/ExportSet.h"
#include "platformexport/MarkupRenderer.h"
#include "platformexport/ParallelPrints.h"
#include "platformexport/SelfCheckPageAssets.h"
#include "platformexport/Utf8Text.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

#include <QCryptographicHash>

namespace {

QString Text(int id)
{
    return Res::String(id);
}

void Escaped(Utf8Text& out, QStringView text)
{
    out.Append(text, EscapeTable::Html());
}

// The CSP source of an inline element's exact text, so that only the
// page's own style and script run, whatever a book text might hold.
std::string HashSource(std::string_view content)
{
    const QByteArray hash = QCryptographicHash::hash(
        QByteArrayView(content.data(), static_cast<qsizetype>(content.size())), QCryptographicHash::Sha256);
    return "'sha256-" + hash.toBase64().toStdString() + '\'';
}

// A JSON string that cannot end its script element or open a comment.
void JsonString(Utf8Text& out, QStringView text)
{
    out += '"';
    out.Append(text, EscapeTable::JsonInScript());
    out += '"';
}

// The accepted answers of a print's sub-questions as a JSON array.
void WriteAccepted(Utf8Text& out, const ExportPrint& print)
{
    out += '[';
    for (std::size_t i = 0; i < print.items.size(); ++i) {
        out += i == 0 ? "[" : ",[";
        const QStringList accepted = AnswerNormalizer::Alternatives(print.items[i].answer);
        for (qsizetype a = 0; a < accepted.size(); ++a) {
            if (a > 0)
                out += ',';
            JsonString(out, accepted[a]);
        }
        out += ']';
    }
    out += ']';
}

// The accepted answers of every sub-question, print by print, and the
// texts the page's script shows, as one JSON object (keys in order).
void WritePageData(Utf8Text& out, const std::vector<Utf8Text>& accepted)
{
    out += "{\"accepted\":[";
    for (std::size_t p = 0; p < accepted.size(); ++p) {
        if (p > 0)
            out += ',';
        out += accepted[p];
    }
    out += "],\"text\":{";
    const std::pair<const char*, int> texts[] = {{"hide", Res::IDS_EXPORT_PAGE_HIDE},
        {"right", Res::IDS_EXPORT_PAGE_RIGHT}, {"score", Res::IDS_EXPORT_PAGE_SCORE},
        {"show", Res::IDS_EXPORT_PAGE_SHOW}, {"wrong", Res::IDS_EXPORT_PAGE_WRONG}};
    for (const auto& [key, id] : texts) {
        if (key != texts[0].first)
            out += ',';
        out += '"';
        out += key;
        out += "\":";
        JsonString(out, Text(id));
    }
    out += "}}";
}

// The input box's label with the sub-question's number for "%d".
class InputLabel {
public:
    InputLabel()
        : m_pieces(Text(Res::IDS_EXPORT_PAGE_INPUT).split(QStringLiteral("%d")))
    {
    }
    void Append(Utf8Text& out, int number) const
    {
        for (qsizetype i = 0; i < m_pieces.size(); ++i) {
            if (i > 0)
                out.AppendNumber(number);
            Escaped(out, m_pieces[i]);
        }
    }

private:
    QStringList m_pieces;
};

void WriteItem(Utf8Text& html, const ExportItem& item, const InputLabel& inputLabel)
{
    html += "<div class=\"item\"><div class=\"sentence\"><b>(";
    html.AppendNumber(item.number);
    html += ")</b> ";
    MarkupRenderer::AppendHtml(html, item.sentence);
    html += "</div>\n<div class=\"entry\">";
    html += "<input type=\"text\" autocomplete=\"off\" autocapitalize=\"off\" autocorrect=\"off\" "
            "spellcheck=\"false\" enterkeyhint=\"next\" aria-label=\"";
    inputLabel.Append(html, item.number);
    html += "\">";
    html += "<span class=\"mark\" aria-live=\"polite\"></span></div>\n";
    html += "<div class=\"answer\" hidden>";
    MarkupRenderer::AppendHtml(html, item.answer);
    html += "</div></div>\n";
}

void WritePrint(Utf8Text& html, const ExportPrint& print, int index, const InputLabel& inputLabel)
{
    html += "<section class=\"print\" id=\"print-";
    html.AppendNumber(index + 1);
    html += "\">\n<h2>";
    Escaped(html, print.name);
    html += "</h2>\n";
    int format = 0;
    for (const ExportItem& item : print.items) {
        if (item.formatNumber != format) {
            format = item.formatNumber;
            html += "<p class=\"instruction\">";
            html.AppendNumber(format);
            html += ". ";
            MarkupRenderer::AppendHtml(html, item.instruction);
            html += "</p>\n";
        }
        WriteItem(html, item, inputLabel);
    }
    html += "<div class=\"buttons\"><button type=\"button\" class=\"check\">";
    Escaped(html, Text(Res::IDS_EXPORT_PAGE_CHECK));
    html += "</button><button type=\"button\" class=\"show\" aria-expanded=\"false\">";
    Escaped(html, Text(Res::IDS_EXPORT_PAGE_SHOW));
    html += "</button></div>\n";
    html += "<p class=\"score\" aria-live=\"polite\"></p>\n</section>\n";
}

} // namespace

ExportBytes SelfCheckPageWriter::Write(const ExportSet& set)
{
    const std::string_view style = SelfCheckPageAssets::Style;
    const std::string_view script = SelfCheckPageAssets::Script;
    static const std::string styleSource = HashSource(style);
    static const std::string scriptSource = HashSource(script);
    const QString title = set.bookTitle.simplified();

    Utf8Text html;
    html.Reserve(16384);
    html += "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n";
    html += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
    html += "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; style-src ";
    html += styleSource;
    html += "; script-src ";
    html += scriptSource;
    html += "; base-uri 'none'; form-action 'none'\">\n";
    html += "<title>";
    Escaped(html, title);
    html += " ";
    Escaped(html, Text(Res::IDS_EXPORT_PAGE_SUBTITLE));
    html += "</title>\n";
    html += "<style>";
    html += style;
    html += "</style>\n</head>\n<body>\n<main>\n";
    html += "<h1>";
    Escaped(html, title);
    html += "</h1>\n<p class=\"subtitle\">";
    Escaped(html, Text(Res::IDS_EXPORT_PAGE_SUBTITLE));
    html += u"　";
    Escaped(html, Text(Res::IDS_EXPORT_PAGE_HINT));
    html += "</p>\n";
    // Each print's section and accepted answers made apart; the sections
    // are written as they are, between the head and the data.
    const InputLabel inputLabel;
    std::vector<Utf8Text> sections(set.prints.size());
    std::vector<Utf8Text> accepted(set.prints.size());
    ParallelPrints::ForEach(set.prints.size(), [&](std::size_t p) {
        const std::size_t items = set.prints[p].items.size();
        sections[p].Reserve(1024 + items * 384);
        accepted[p].Reserve(16 + items * 48);
        WritePrint(sections[p], set.prints[p], static_cast<int>(p), inputLabel);
        WriteAccepted(accepted[p], set.prints[p]);
    });
    ExportBytes page(html.Take());
    for (Utf8Text& section : sections)
        page.Add(section.Take());
    Utf8Text tail;
    tail += "</main>\n<script type=\"application/json\" id=\"tv-data\">";
    WritePageData(tail, accepted);
    tail += "</script>\n";
    tail += "<script>";
    tail += script;
    tail += "</script>\n</body>\n</html>\n";
    page.Add(tail.Take());
    return page;
}
