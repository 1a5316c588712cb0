#include "platformexport/AnswerKeyWriter.h"

#include "markup/SheetText.h"
#include "platformexport/EscapeTable.h"
#include "platformexport/ExportSet.h"
#include "platformexport/MarkupRenderer.h"
#include "platformexport/ParallelPrints.h"
#include "platformexport/Utf8Text.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

namespace {

// A cell as every CSV of the program is written: in quotes, quotes
// doubled, a leading "'" where a spreadsheet would see a formula.
void AppendCell(Utf8Text& out, QStringView cell, bool first = false)
{
    out += first ? std::string_view("\"") : std::string_view(",\"");
    if (SheetText::NeedsGuard(cell))
        out += '\'';
    out.Append(cell, EscapeTable::CsvQuoted());
    out += '"';
}

void AppendPlainCell(Utf8Text& out, const QString& markup)
{
    AppendCell(out, MarkupRenderer::ToPlain(markup));
}

} // namespace

ExportBytes AnswerKeyWriter::Write(const ExportSet& set)
{
    // Each print's rows made apart, written as they are after the header.
    std::vector<Utf8Text> prints(set.prints.size());
    ParallelPrints::ForEach(set.prints.size(), [&](std::size_t p) {
        const ExportPrint& print = set.prints[p];
        Utf8Text& csv = prints[p];
        csv.Reserve(print.items.size() * 160); // the usual size, a row under 160 bytes
        for (const ExportItem& item : print.items) {
            AppendCell(csv, print.name, true);
            csv += ",\"";
            csv.AppendNumber(item.number);
            csv += '"';
            AppendCell(csv, item.formatTitle);
            AppendPlainCell(csv, item.sentence);
            AppendPlainCell(csv, item.answer);
            AppendPlainCell(csv, item.keyword);
            csv += "\r\n";
        }
    });
    Utf8Text csv;
    csv += "\xEF\xBB\xBF";
    const QStringList header = Res::String(Res::IDS_EXPORT_KEY_HEADER).split(QLatin1Char(','));
    for (qsizetype i = 0; i < header.size(); ++i)
        AppendCell(csv, header[i], i == 0);
    csv += "\r\n";
    ExportBytes key(csv.Take());
    for (Utf8Text& print : prints)
        key.Add(print.Take());
    return key;
}
