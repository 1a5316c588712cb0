#include "ui/ListBuilder101.h"

#include "model/Index.h"
#include "model/Keyword.h"
#include "model/Sentence.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "res/UiText.h"
#include "ui/CheckTreeListViewCtrl.h"

namespace {

// Keyword attributes shown in the lists.
constexpr int NumberClass = 2;
constexpr int PageClass = 3;

} // namespace

void ListBuilder101::InitIndexColumns(CheckTreeListViewCtrl& list, int /*bookId*/)
{
    list.AddColumn(Res::Text::ColumnIndex, 100);
    list.AddColumn(Res::Text::ColumnPage, 40, Qt::AlignRight);
}

int ListBuilder101::InsertIndex(CheckTreeListViewCtrl& list, int row, int parentRow, const Index* index)
{
    if (!index)
        return -1;
    const int inserted = list.InsertRow(row, index->title, parentRow);
    list.SetCellText(inserted, 1, QString::number(index->page));
    return inserted;
}

void ListBuilder101::InitKeywordColumns(ListViewCtrl& list)
{
    list.AddColumn(Res::Text::ColumnHeadword, 100);
    list.AddColumn(Res::Text::ColumnNumber, 40, Qt::AlignRight);
}

int ListBuilder101::InsertKeyword(ListViewCtrl& list, int row, const Keyword* keyword)
{
    if (!keyword)
        return -1;
    return InsertCells(list, row, {Plain(keyword->word), IntText(keyword, NumberClass)});
}

void ListBuilder101::InitSentenceColumns(ListViewCtrl& list)
{
    list.AddColumn(Res::Text::ColumnHeadword, 100);
    list.AddColumn(Res::Text::ColumnNumber, 40, Qt::AlignRight);
    list.AddColumn(Res::Text::ColumnPage, 40, Qt::AlignRight);
    list.AddColumn(Res::String(Res::IDS_COL_QUESTION), 300);
}

int ListBuilder101::InsertSentence(ListViewCtrl& list, int row, const Sentence* sentence)
{
    if (!sentence)
        return -1;
    const Keyword* keyword = sentence->keyword;
    return InsertCells(list, row,
        {keyword ? keyword->word : QString(), IntText(keyword, NumberClass), IntText(keyword, PageClass),
            Plain(sentence->sentence)});
}

void ListBuilder101::FitSentenceColumns(ListViewCtrl& list)
{
    FitRemainingColumn(list, SentenceQuestionColumn);
}
