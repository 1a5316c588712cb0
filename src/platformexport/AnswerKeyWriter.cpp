#include "platformexport/AnswerKeyWriter.h"

#include "markup/SheetText.h"
#include "platformexport/ExportSet.h"
#include "platformexport/MarkupRenderer.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

QByteArray AnswerKeyWriter::Write(const ExportSet& set)
{
    QByteArray csv("\xEF\xBB\xBF");
    csv += SheetText::CsvRecord(Res::String(Res::IDS_EXPORT_KEY_HEADER).split(QLatin1Char(',')));
    for (const ExportPrint& print : set.prints) {
        for (const ExportItem& item : print.items) {
            csv += SheetText::CsvRecord(
                {print.name, QString::number(item.number), item.formatTitle, MarkupRenderer::ToPlain(item.sentence),
                    MarkupRenderer::ToPlain(item.answer), MarkupRenderer::ToPlain(item.keyword)});
        }
    }
    return csv;
}
