#include "ui/ListBuilder303.h"

#include "model/Keyword.h"
#include "model/Sentence.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "res/UiText.h"
#include "ui/ListViewCtrl.h"

namespace {

// Sentence attribute: how often the sentence's kanji comes up in exams.
constexpr int FrequencyClass = 103;
constexpr int FrequencyColumnWidth = 40;

} // namespace

QString ListBuilder303::FrequencyMark(const Sentence* sentence)
{
    const Attr<int>* frequency = sentence ? sentence->Attribute(FrequencyClass) : nullptr;
    if (!frequency || frequency->isText)
        return {};
    if (frequency->intValue == 1)
        return Res::Text::FrequencyFrequent;
    if (frequency->intValue == 2)
        return Res::Text::FrequencyVeryFrequent;
    return {};
}

void ListBuilder303::InitPrintColumns(ListViewCtrl& list)
{
    list.AddColumn(Res::String(Res::IDS_COL_QUESTION), 200);
    list.AddColumn(Res::Text::ColumnFrequency, FrequencyColumnWidth, Qt::AlignHCenter);
    list.AddColumn(Res::String(Res::IDS_COL_ANSWER), 100);
}

int ListBuilder303::InsertPrintSentence(ListViewCtrl& list, int row, const Sentence* sentence, int number)
{
    if (!sentence)
        return -1;
    return InsertCells(
        list, row, {SentenceRowText(sentence, number), FrequencyMark(sentence), Plain(sentence->answer)});
}

void ListBuilder303::FitPrintColumns(ListViewCtrl& list)
{
    const int kept = PrintFrequencyColumn < list.ColumnCount() ? list.columnWidth(PrintFrequencyColumn) : 0;
    ApplyWidths(list, ShareWidths(AvailableWidth(list), list.ColumnCount(), PrintFrequencyColumn, kept));
}

int ListBuilder303::InsertKeyword(ListViewCtrl& list, int row, const Keyword* keyword)
{
    if (!keyword)
        return -1;
    return InsertCells(list, row, {keyword->word});
}

void ListBuilder303::InitSentenceColumns(ListViewCtrl& list)
{
    list.AddColumn(Res::String(Res::IDS_COL_QUESTION), 300);
    list.AddColumn(Res::Text::ColumnFrequency, FrequencyColumnWidth, Qt::AlignHCenter);
    list.AddColumn(Res::Text::ColumnKeyKanji, 100);
    list.AddColumn(Res::Text::ColumnPage, 60, Qt::AlignRight);
    list.AddColumn(Res::Text::ColumnSerial, 80, Qt::AlignRight);
}

int ListBuilder303::InsertSentence(ListViewCtrl& list, int row, const Sentence* sentence)
{
    if (!sentence)
        return -1;
    return InsertCells(
        list, row, QStringList{Plain(sentence->sentence), FrequencyMark(sentence)} + KeywordCells(sentence, false));
}
