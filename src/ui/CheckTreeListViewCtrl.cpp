#include "ui/CheckTreeListViewCtrl.h"

#include "res/Images.h"

#include <QPainter>

namespace {

const std::vector<int> NoRows;

// Text cells are inset by this much on each side.
constexpr int TextInset = 4;
// Space between the indentation and the check box.
constexpr int BoxGap = 2;

} // namespace

CheckTreeListViewCtrl::CheckTreeListViewCtrl(QWidget* parent)
    : ListViewCtrl(parent)
{
}

bool CheckTreeListViewCtrl::IsRow(int row) const
{
    return row >= 0 && row < static_cast<int>(rows_.size());
}

int CheckTreeListViewCtrl::InsertRow(int row, const QString& text)
{
    return InsertRow(row, text, -1);
}

int CheckTreeListViewCtrl::InsertRow(int /*row*/, const QString& text, int parentRow)
{
    const int index = ListViewCtrl::InsertRow(RowCount(), text);
    RowRecord record;
    if (IsRow(parentRow)) {
        record.parent = parentRow;
        record.level = rows_[parentRow].level + 1;
        rows_[parentRow].children.push_back(index);
    }
    rows_.push_back(std::move(record));
    return index;
}

void CheckTreeListViewCtrl::DeleteAllRows()
{
    ListViewCtrl::DeleteAllRows();
    rows_.clear();
}

int CheckTreeListViewCtrl::ParentRow(int row) const
{
    return IsRow(row) ? rows_[row].parent : -1;
}

const std::vector<int>& CheckTreeListViewCtrl::ChildRows(int row) const
{
    return IsRow(row) ? rows_[row].children : NoRows;
}

int CheckTreeListViewCtrl::Level(int row) const
{
    return IsRow(row) ? rows_[row].level : 0;
}

bool CheckTreeListViewCtrl::IsCheckable(int row) const
{
    return IsRow(row) && rows_[row].checkable;
}

void CheckTreeListViewCtrl::SetCheckable(int row, bool checkable)
{
    if (!IsRow(row))
        return;
    rows_[row].checkable = checkable;
    if (!checkable)
        rows_[row].state = Unticked;
    viewport()->update();
}

int CheckTreeListViewCtrl::GetCheck(int row) const
{
    return IsCheckable(row) ? rows_[row].state : Unticked;
}

void CheckTreeListViewCtrl::SetCheck(int row, int state)
{
    if (!IsCheckable(row) || state < Unticked || state > PartlyTicked)
        return;
    rows_[row].state = state;
    viewport()->update();
}

void CheckTreeListViewCtrl::Toggle(int row)
{
    if (!IsCheckable(row))
        return;
    busy_ = true;
    const bool ticked = rows_[row].state != Ticked;
    rows_[row].state = ticked ? Ticked : Unticked;
    SetDescendants(row, ticked);
    UpdateAncestors(row);
    busy_ = false;
    viewport()->update();
}

void CheckTreeListViewCtrl::SetDescendants(int row, bool ticked)
{
    std::vector<int> pending(ChildRows(row).rbegin(), ChildRows(row).rend());
    while (!pending.empty()) {
        const int child = pending.back();
        pending.pop_back();
        if (rows_[child].checkable)
            rows_[child].state = ticked ? Ticked : Unticked;
        pending.insert(pending.end(), rows_[child].children.rbegin(), rows_[child].children.rend());
    }
    viewport()->update();
}

void CheckTreeListViewCtrl::UpdateAncestors(int row)
{
    for (int ancestor = ParentRow(row); ancestor >= 0; ancestor = ParentRow(ancestor)) {
        if (rows_[ancestor].checkable)
            rows_[ancestor].state = StateFromChildren(ancestor);
    }
    viewport()->update();
}

// A row that cannot be ticked has no state of its own to offer, so the rows
// below it stand in for it: a heading that is not selectable does not make
// the entry above it look ticked while nothing under it is.
int CheckTreeListViewCtrl::StateFromChildren(int row) const
{
    bool anyTicked = false;
    bool anyUnticked = false;
    bool anyPartly = false;
    std::vector<int> pending(rows_[row].children);
    while (!pending.empty()) {
        const int child = pending.back();
        pending.pop_back();
        const RowRecord& record = rows_[child];
        if (!record.checkable) {
            pending.insert(pending.end(), record.children.begin(), record.children.end());
            continue;
        }
        anyTicked |= record.state == Ticked;
        anyUnticked |= record.state == Unticked;
        anyPartly |= record.state == PartlyTicked;
    }
    if (anyPartly || (anyTicked && anyUnticked))
        return PartlyTicked;
    if (anyUnticked)
        return Unticked;
    return Ticked; // every one ticked, or nothing below that can be
}

QRect CheckTreeListViewCtrl::CheckBoxRect(int row) const
{
    QTreeWidgetItem* item = Row(row);
    if (!item)
        return {};
    const QRect rowRect = visualItemRect(item);
    const int left = header()->sectionViewportPosition(0) + Level(row) * LevelIndent + BoxGap;
    const int top = rowRect.top() + (rowRect.height() - Res::CheckImageSize) / 2;
    return {left, top, Res::CheckImageSize, Res::CheckImageSize};
}

QRect CheckTreeListViewCtrl::BoxHitRect(int row) const
{
    return CheckBoxRect(row);
}

void CheckTreeListViewCtrl::ActivateBox(int row)
{
    if (busy_ || !IsCheckable(row))
        return;
    Toggle(row);
    Q_EMIT ChecksChanged();
}

void CheckTreeListViewCtrl::drawRow(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const int row = index.row();
    const bool enabled = isEnabled();
    const bool focused = hasFocus();
    const bool checkable = IsCheckable(row);
    const bool selected = selectionModel()->isSelected(index);
    const QPalette& pal = palette();

    QColor background = pal.color(QPalette::Base);
    if (!enabled || !checkable || (selected && !focused))
        background = pal.color(QPalette::Button);
    else if (selected)
        background = pal.color(QPalette::Highlight);

    QColor text = pal.color(QPalette::Text);
    if (!enabled)
        text = pal.color(QPalette::Disabled, QPalette::Text);
    else if (focused && selected)
        text = pal.color(QPalette::HighlightedText);

    const QRect rowRect = option.rect;
    const QList<ColumnSpan> columns = VisibleColumns();
    painter->save();
    for (const ColumnSpan& span : columns) {
        QRect cell(span.left, rowRect.top(), span.width, rowRect.height());
        painter->fillRect(cell, background);
        int textLeft = cell.left();
        if (span.column == 0) {
            const QRect box = CheckBoxRect(row);
            const int image = (IsRow(row) ? rows_[row].state : 0) + (enabled && checkable ? 0 : Res::CheckImageGreyed);
            painter->drawPixmap(box.topLeft(), Res::CheckImage(image, devicePixelRatioF()));
            textLeft = box.right() + 1;
        }
        const QRect textRect(
            textLeft + TextInset, cell.top(), cell.right() - TextInset - textLeft - TextInset + 1, cell.height());
        if (textRect.width() <= 0)
            continue;
        const QString cellText
            = painter->fontMetrics().elidedText(CellText(row, span.column), Qt::ElideRight, textRect.width());
        const int flags = int(ColumnAlignment(span.column)) | Qt::AlignVCenter | Qt::TextSingleLine;
        painter->setClipRect(cell);
        if (checkable) {
            painter->setPen(text);
            painter->drawText(textRect, flags, cellText);
        } else {
            // Engraved: a light copy one pixel down and right, grey on top.
            painter->setPen(pal.color(QPalette::HighlightedText));
            painter->drawText(textRect.translated(1, 1), flags, cellText);
            painter->setPen(pal.color(QPalette::Disabled, QPalette::Text));
            painter->drawText(textRect, flags, cellText);
        }
        painter->setClipping(false);
    }
    painter->restore();
    DrawGrid(painter, rowRect);

    if (enabled && focused && checkable && currentIndex().row() == row)
        DrawFocusRect(painter, rowRect, background);
}
