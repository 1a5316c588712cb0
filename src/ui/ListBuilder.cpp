#include "ui/ListBuilder.h"

#include "desktop/TextFormat.h"
#include "model/CppSQLite3Exception.h"
#include "model/DataBase.h"
#include "model/Keyword.h"
#include "model/Sentence.h"
#include "quiz/Model.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "ui/ListBuilder101.h"
#include "ui/ListBuilder301.h"
#include "ui/ListBuilder303.h"
#include "ui/ListViewCtrl.h"

#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <limits>
#include <numeric>

namespace {

constexpr int QuestionColumnWidth = 200;
constexpr int AnswerColumnWidth = 100;

QString IntAttributeText(const Attr<int>* attr)
{
    return attr && !attr->isText ? QString::number(attr->intValue) : QString();
}

} // namespace

std::shared_ptr<ListBuilder> ListBuilder::ForType(const QString& typeCode)
{
    if (typeCode == QStringLiteral("101"))
        return std::make_shared<ListBuilder101>();
    if (typeCode == QStringLiteral("301"))
        return std::make_shared<ListBuilder301>();
    if (typeCode == QStringLiteral("303"))
        return std::make_shared<ListBuilder303>();
    return nullptr;
}

std::shared_ptr<ListBuilder> ListBuilder::ForBook(Model& model)
{
    return ForType(BookTypeOf(model));
}

QString ListBuilder::BookTypeOf(Model& model)
{
    try {
        return model.Db().BookInfo(QStringLiteral("Product"));
    } catch (const CppSQLite3Exception&) {
        return {};
    }
}

void ListBuilder::InitPrintColumns(ListViewCtrl& list)
{
    list.AddColumn(Res::String(Res::IDS_COL_QUESTION), QuestionColumnWidth);
    list.AddColumn(Res::String(Res::IDS_COL_ANSWER), AnswerColumnWidth);
}

int ListBuilder::InsertPrintSentence(ListViewCtrl& list, int row, const Sentence* sentence, int number)
{
    if (!sentence)
        return -1;
    return InsertCells(list, row, {SentenceRowText(sentence, number), Plain(sentence->answer)});
}

void ListBuilder::FitPrintColumns(ListViewCtrl& list)
{
    ApplyWidths(list, ShareWidths(AvailableWidth(list), list.ColumnCount()));
}

QString ListBuilder::SentenceRowText(const Sentence* sentence, int number) const
{
    return FormatText(Res::String(Res::IDS_SENTENCE_ROW), {number, Plain(sentence->sentence)});
}

int ListBuilder::AvailableWidth(const ListViewCtrl& list)
{
    const int scrollBar = list.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list.verticalScrollBar());
    return list.width() - 2 * list.frameWidth() - scrollBar;
}

std::vector<int> ListBuilder::ShareWidths(int available, int count, int keptColumn, int keptWidth)
{
    std::vector<int> widths(std::max(count, 0), 0);
    if (count <= 0)
        return widths;
    const bool keep = count >= 2 && keptColumn >= 0 && keptColumn < count;
    const int sharing = keep ? count - 1 : count;
    const int shared = keep ? available - keptWidth : available;
    const int each = shared / sharing;
    for (int column = 0; column < count; ++column)
        widths[column] = each;
    widths[0] = shared - each * (sharing - 1);
    if (keep)
        widths[keptColumn] = keptWidth;
    return widths;
}

int ListBuilder::RemainingWidth(int available, const std::vector<int>& widths, int column)
{
    int others = 0;
    for (int i = 0; i < static_cast<int>(widths.size()); ++i) {
        if (i != column)
            others += widths[i];
    }
    return std::clamp(available - others, 0, int(std::numeric_limits<short>::max()));
}

int ListBuilder::InsertCells(ListViewCtrl& list, int row, const QStringList& cells)
{
    const int inserted = list.InsertRow(row, cells.value(0));
    for (int column = 1; column < cells.size(); ++column)
        list.SetCellText(inserted, column, cells[column]);
    return inserted;
}

void ListBuilder::ApplyWidths(ListViewCtrl& list, const std::vector<int>& widths)
{
    for (int column = 0; column < static_cast<int>(widths.size()); ++column)
        list.setColumnWidth(column, widths[column]);
}

void ListBuilder::FitRemainingColumn(ListViewCtrl& list, int column)
{
    if (column >= list.ColumnCount())
        return;
    std::vector<int> widths;
    for (int i = 0; i < list.ColumnCount(); ++i)
        widths.push_back(list.columnWidth(i));
    list.setColumnWidth(column, RemainingWidth(AvailableWidth(list), widths, column));
}

QString ListBuilder::IntText(const Keyword* keyword, int acid)
{
    return keyword ? IntAttributeText(keyword->Attribute(acid)) : QString();
}

QString ListBuilder::IntText(const Sentence* sentence, int acid)
{
    return sentence ? IntAttributeText(sentence->Attribute(acid)) : QString();
}
