#include "ui/GaijiListViewCtrl.h"

#include "res/Images.h"
#include "ui/GaijiCellLayout.h"

#include <QEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

constexpr int CheckedRole = Qt::UserRole + 1;
// Cells are inset by this much on each side.
constexpr int CellInset = 4;
// With check boxes, the text of column 0 starts this far into the cell.
constexpr int TextAfterBox = 24;

// Rows as high as the list font's text, or the check box when the list has them.
class RowHeightDelegate : public QStyledItemDelegate {
public:
    explicit RowHeightDelegate(GaijiListViewCtrl* list)
        : QStyledItemDelegate(list)
        , list_(list)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        // As high as the taller of the list's font and the external
        // characters' font, so that neither kanji nor external characters
        // are cut at the top.
        int height = qMax(list_->fontMetrics().height(), QFontMetrics(list_->ExternalFont()).height());
        if (list_->HasCheckBoxes())
            height = qMax(height, Res::CheckImageSize);
        return {QStyledItemDelegate::sizeHint(option, index).width(), height};
    }

private:
    GaijiListViewCtrl* list_;
};

} // namespace

GaijiListViewCtrl::GaijiListViewCtrl(QWidget* parent)
    : ListViewCtrl(parent)
    , externalFont_(GaijiCellLayout::ExternalFontFor(font()))
    , externalAvailable_(GaijiCellLayout::ExternalFontInstalled())
{
    setItemDelegate(new RowHeightDelegate(this));
}

void GaijiListViewCtrl::SetCheckBoxes(bool on)
{
    checkBoxes_ = on;
    doItemsLayout();
    viewport()->update();
}

bool GaijiListViewCtrl::HasCheckBoxes() const
{
    return checkBoxes_;
}

bool GaijiListViewCtrl::IsChecked(int row) const
{
    const QTreeWidgetItem* item = Row(row);
    return item && item->data(0, CheckedRole).toBool();
}

void GaijiListViewCtrl::SetChecked(int row, bool checked)
{
    if (QTreeWidgetItem* item = Row(row))
        item->setData(0, CheckedRole, checked);
}

QFont GaijiListViewCtrl::ExternalFont() const
{
    return externalFont_;
}

void GaijiListViewCtrl::SetUsesExternalFont(bool available)
{
    externalAvailable_ = available;
    viewport()->update();
}

QRect GaijiListViewCtrl::CheckBoxRect(int row) const
{
    QTreeWidgetItem* item = Row(row);
    if (!checkBoxes_ || !item)
        return {};
    const QRect rowRect = visualItemRect(item);
    const int left = header()->sectionViewportPosition(0) + CellInset;
    const int top = rowRect.top() + (rowRect.height() - Res::CheckImageSize) / 2;
    return {left, top, Res::CheckImageSize, Res::CheckImageSize};
}

// The square at the row's left edge, up to the right of the drawn box.
QRect GaijiListViewCtrl::BoxHitRect(int row) const
{
    const QRect box = CheckBoxRect(row);
    if (box.isNull())
        return {};
    const int left = header()->sectionViewportPosition(0);
    return {left, box.top(), box.right() + 1 - left, box.height()};
}

void GaijiListViewCtrl::ActivateBox(int row)
{
    SetChecked(row, !IsChecked(row));
    viewport()->update();
    Q_EMIT CheckChanged(row);
}

void GaijiListViewCtrl::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        externalFont_ = GaijiCellLayout::ExternalFontFor(font());
    ListViewCtrl::changeEvent(event);
}

QString GaijiListViewCtrl::TipText(int row, int column) const
{
    return GaijiCellLayout::DisplayText(CellText(row, column));
}

void GaijiListViewCtrl::DrawCellText(
    QPainter* painter, const QRect& cell, const QString& text, Qt::Alignment alignment) const
{
    const GaijiCellLayout layout(painter->font(), externalFont_, externalAvailable_);
    const QFontMetrics metrics(painter->font());
    const int baseline = cell.top() + (cell.height() + metrics.ascent() - metrics.descent()) / 2;
    for (const GaijiCellLayout::PlacedRun& run : layout.Layout(text, cell.width(), alignment)) {
        if (run.text.isEmpty())
            continue;
        if (run.external) {
            painter->save();
            painter->setFont(externalFont_);
            painter->drawText(QPoint(cell.left() + run.x, baseline), run.text);
            painter->restore();
        } else {
            painter->drawText(QPoint(cell.left() + run.x, baseline), run.text);
        }
    }
}

void GaijiListViewCtrl::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const int row = index.row();
    const bool focused = hasFocus();
    const bool selected = selectionModel()->isSelected(index);
    const QPalette& pal = palette();
    QColor background = pal.color(QPalette::Base);
    if (selected)
        background = focused ? pal.color(QPalette::Highlight) : pal.color(QPalette::Button);
    const QColor text = selected && focused ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text);

    const QRect rowRect = option.rect;
    const QList<ColumnSpan> columns = VisibleColumns();
    painter->save();
    painter->setFont(font());
    for (const ColumnSpan& span : columns) {
        const QRect cell(span.left, rowRect.top(), span.width, rowRect.height());
        painter->fillRect(cell, background);
        QRect inner = cell.adjusted(CellInset, 0, -CellInset, 0);
        Qt::Alignment alignment = ColumnAlignment(span.column);
        if (span.column == 0 && checkBoxes_) {
            const QRect box = CheckBoxRect(row);
            painter->drawPixmap(box.topLeft(), Res::CheckImage(IsChecked(row) ? 1 : 0, devicePixelRatioF()));
            inner.setLeft(cell.left() + TextAfterBox);
            alignment = Qt::AlignLeft;
        }
        if (inner.width() <= 0)
            continue;
        painter->setClipRect(inner);
        painter->setPen(text);
        DrawCellText(painter, inner, CellText(row, span.column), alignment);
        painter->setClipping(false);
    }
    painter->restore();
    DrawGrid(painter, rowRect);

    if (focused && currentIndex().row() == row)
        DrawFocusRect(painter, rowRect, background);
}
