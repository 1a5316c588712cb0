#include "ui/ListBuilder301.h"

#include "desktop/TextFormat.h"
#include "model/Index.h"
#include "model/Keyword.h"
#include "model/Sentence.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "res/UiText.h"
#include "ui/CheckTreeListViewCtrl.h"

namespace {

// Keyword attribute: the page the key kanji is on.
constexpr int PageClass = 3;
// Sentence attributes: the kind of sentence, and its problem number.
constexpr int KindClass = 101;
constexpr int ProblemNumberClass = 102;
// Sentences of this kind have no page of their own.
constexpr int KindWithoutPage = 30;

QString AttributeText(const Attr<int>* attr)
{
    if (!attr)
        return {};
    return attr->isText ? attr->textValue : QString::number(attr->intValue);
}

} // namespace

bool ListBuilder301::HasPageColumn(int bookId)
{
    return bookId != 331 && bookId != 333 && bookId != 334;
}

QString ListBuilder301::EntryPageLabel(int page)
{
    if (page < 500)
        return QString::number(page);
    if (page < 1000)
        return Res::Text::PageSupplement;
    if (page < 2000)
        return Res::Text::PagePractice;
    if (page < 3000)
        return Res::Text::PageMock;
    return Res::Text::PageAddendum;
}

QString ListBuilder301::SentencePageLabel(int page, int kind)
{
    if (kind == KindWithoutPage)
        return {};
    if (page >= 3000)
        return FormatText(Res::Text::PageAddendumFormat, {page - 3000});
    if (page >= 2000)
        return Res::Text::PageMock;
    if (page >= 1000)
        return Res::Text::PagePractice;
    return QString::number(page);
}

void ListBuilder301::InitIndexColumns(CheckTreeListViewCtrl& list, int bookId)
{
    list.AddColumn(Res::Text::ColumnIndex, 100);
    if (HasPageColumn(bookId))
        list.AddColumn(Res::Text::ColumnPage, 40, Qt::AlignRight);
}

int ListBuilder301::InsertIndex(CheckTreeListViewCtrl& list, int row, int parentRow, const Index* index)
{
    if (!index)
        return -1;
    const int inserted = list.InsertRow(row, index->title, parentRow);
    if (list.ColumnCount() > 1)
        list.SetCellText(inserted, 1, EntryPageLabel(index->page));
    return inserted;
}

void ListBuilder301::InitKeywordColumns(ListViewCtrl& list)
{
    list.AddColumn(Res::Text::ColumnKeyKanji, 140);
}

int ListBuilder301::InsertKeyword(ListViewCtrl& list, int row, const Keyword* keyword)
{
    if (!keyword)
        return -1;
    return InsertCells(list, row, {Plain(keyword->word)});
}

void ListBuilder301::InitSentenceColumns(ListViewCtrl& list)
{
    list.AddColumn(Res::String(Res::IDS_COL_QUESTION), 300);
    list.AddColumn(Res::Text::ColumnKeyKanji, 100);
    list.AddColumn(Res::Text::ColumnPage, 60, Qt::AlignRight);
    list.AddColumn(Res::Text::ColumnSerial, 80, Qt::AlignRight);
}

int ListBuilder301::InsertSentence(ListViewCtrl& list, int row, const Sentence* sentence)
{
    if (!sentence)
        return -1;
    return InsertCells(list, row, QStringList{Plain(sentence->sentence)} + KeywordCells(sentence, true));
}

void ListBuilder301::FitSentenceColumns(ListViewCtrl& list)
{
    FitRemainingColumn(list, SentenceQuestionColumn);
}

QStringList ListBuilder301::KeywordCells(const Sentence* sentence, bool plainKeyword) const
{
    const Keyword* keyword = sentence->keyword;
    QString word;
    QString page;
    if (keyword) {
        word = plainKeyword ? Plain(keyword->word) : keyword->word;
        if (const Attr<int>* pageValue = keyword->Attribute(PageClass); pageValue && !pageValue->isText) {
            const Attr<int>* kind = sentence->Attribute(KindClass);
            page = SentencePageLabel(pageValue->intValue, kind ? kind->intValue : 0);
        }
    }
    return {word, page, AttributeText(sentence->Attribute(ProblemNumberClass))};
}
