#include "platformexport/AnswerKeyWriter.h"

#include "markup/SheetText.h"
#include "platformexport/ExportSet.h"
#include "platformexport/MarkupRenderer.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

QByteArray AnswerKeyWriter::Write(const ExportSet& set)
{
    // The whole key as text, encoded once.
    QString text;
    qsizetype items = 0;
    for (const ExportPrint& print : set.prints)
        items += static_cast<qsizetype>(print.items.size());
    text.reserve(256 + items * 128); // the usual size, a row under 128 characters
    SheetText::AppendCsvRecord(text, Res::String(Res::IDS_EXPORT_KEY_HEADER).split(QLatin1Char(',')));
    for (const ExportPrint& print : set.prints) {
        for (const ExportItem& item : print.items) {
            SheetText::AppendCsvCell(text, print.name, true);
            SheetText::AppendCsvCell(text, QString::number(item.number), false);
            SheetText::AppendCsvCell(text, item.formatTitle, false);
            SheetText::AppendCsvCell(text, MarkupRenderer::ToPlain(item.sentence), false);
            SheetText::AppendCsvCell(text, MarkupRenderer::ToPlain(item.answer), false);
            SheetText::AppendCsvCell(text, MarkupRenderer::ToPlain(item.keyword), false);
            SheetText::EndCsvRecord(text);
        }
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}
