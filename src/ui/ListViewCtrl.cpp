#include "ui/ListViewCtrl.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>

ListViewCtrl::ListViewCtrl(QWidget* parent)
    : QTreeWidget(parent)
{
    setColumnCount(0);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(0);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideRight);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

int ListViewCtrl::AddColumn(const QString& header, int width, Qt::Alignment alignment)
{
    const int column = columnCount();
    setColumnCount(column + 1);
    alignments_.append(alignment & Qt::AlignHorizontal_Mask);
    headerItem()->setText(column, header);
    headerItem()->setTextAlignment(column, alignments_.last() | Qt::AlignVCenter);
    setColumnWidth(column, width);
    return column;
}

int ListViewCtrl::ColumnCount() const
{
    return columnCount();
}

Qt::Alignment ListViewCtrl::ColumnAlignment(int column) const
{
    return column >= 0 && column < alignments_.size() ? alignments_[column] : Qt::Alignment(Qt::AlignLeft);
}

int ListViewCtrl::InsertRow(int row, const QString& text)
{
    if (row < 0 || row > RowCount())
        row = RowCount();
    auto* item = new QTreeWidgetItem;
    for (int column = 0; column < columnCount(); ++column)
        item->setTextAlignment(column, ColumnAlignment(column) | Qt::AlignVCenter);
    item->setText(0, text);
    insertTopLevelItem(row, item);
    return row;
}

int ListViewCtrl::RowCount() const
{
    return topLevelItemCount();
}

void ListViewCtrl::DeleteAllRows()
{
    clear();
}

QTreeWidgetItem* ListViewCtrl::Row(int row) const
{
    return topLevelItem(row);
}

QString ListViewCtrl::CellText(int row, int column) const
{
    const QTreeWidgetItem* item = Row(row);
    return item ? item->text(column) : QString();
}

void ListViewCtrl::SetCellText(int row, int column, const QString& text)
{
    if (QTreeWidgetItem* item = Row(row); item && column >= 0 && column < columnCount())
        item->setText(column, text);
}

QVariant ListViewCtrl::RowData(int row) const
{
    const QTreeWidgetItem* item = Row(row);
    return item ? item->data(0, Qt::UserRole) : QVariant();
}

void ListViewCtrl::SetRowData(int row, const QVariant& data)
{
    if (QTreeWidgetItem* item = Row(row))
        item->setData(0, Qt::UserRole, data);
}

int ListViewCtrl::SelectedRow() const
{
    const QList<QTreeWidgetItem*> items = selectedItems();
    return items.isEmpty() ? -1 : indexOfTopLevelItem(items.first());
}

void ListViewCtrl::SelectRow(int row)
{
    QTreeWidgetItem* item = Row(row);
    if (!item)
        return;
    setCurrentItem(item);
    item->setSelected(true);
    scrollToItem(item);
}

int ListViewCtrl::RowsPerPage() const
{
    const int height = RowCount() > 0 ? rowHeight(indexFromItem(Row(0))) : fontMetrics().height();
    return height > 0 ? qMax(1, viewport()->height() / height) : 1;
}

void ListViewCtrl::SetGridLines(bool on)
{
    gridLines_ = on;
    viewport()->update();
}

bool ListViewCtrl::GridLines() const
{
    return gridLines_;
}

QList<ListViewCtrl::ColumnSpan> ListViewCtrl::VisibleColumns() const
{
    QList<ColumnSpan> spans;
    const QHeaderView* head = header();
    for (int visual = 0; visual < head->count(); ++visual) {
        const int column = head->logicalIndex(visual);
        if (head->isSectionHidden(column))
            continue;
        spans.append({column, head->sectionViewportPosition(column), head->sectionSize(column)});
    }
    return spans;
}

void ListViewCtrl::DrawGrid(QPainter* painter, const QRect& rowRect) const
{
    if (!gridLines_)
        return;
    painter->save();
    painter->setPen(palette().color(QPalette::Midlight));
    painter->drawLine(rowRect.left(), rowRect.bottom(), rowRect.right(), rowRect.bottom());
    for (const ColumnSpan& span : VisibleColumns()) {
        const int x = span.left + span.width - 1;
        painter->drawLine(x, rowRect.top(), x, rowRect.bottom());
    }
    painter->restore();
}

void ListViewCtrl::DrawFocusRect(QPainter* painter, const QRect& rowRect, const QColor& background) const
{
    const QList<ColumnSpan> columns = VisibleColumns();
    if (columns.isEmpty())
        return;
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = QRect(columns.first().left, rowRect.top(),
        columns.last().left + columns.last().width - columns.first().left, rowRect.height());
    focus.backgroundColor = background;
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, this);
}

void ListViewCtrl::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QTreeWidget::drawRow(painter, option, index);
    DrawGrid(painter, option.rect);
}

// Info tips: a cell whose text is cut shows its whole text as a tip.
bool ListViewCtrl::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QTreeWidget::viewportEvent(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    const QString text = index.isValid() ? TipText(index.row(), index.column()) : QString();
    if (!text.isEmpty() && fontMetrics().horizontalAdvance(text) > columnWidth(index.column()) - 8)
        QToolTip::showText(help->globalPos(), text, viewport(), visualRect(index));
    else
        QToolTip::hideText();
    return true;
}

QString ListViewCtrl::TipText(int row, int column) const
{
    return CellText(row, column);
}

QRect ListViewCtrl::BoxHitRect(int /*row*/) const
{
    return {};
}

void ListViewCtrl::ActivateBox(int /*row*/) { }

bool ListViewCtrl::ActivateBoxAt(const QPoint& pos)
{
    const QModelIndex index = indexAt(pos);
    if (!index.isValid() || !BoxHitRect(index.row()).contains(pos))
        return false;
    ActivateBox(index.row());
    return true;
}

void ListViewCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        ActivateBoxAt(event->position().toPoint());
    QTreeWidget::mousePressEvent(event);
}

void ListViewCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Each press on a box is a click of its own.
    if (event->button() == Qt::LeftButton && ActivateBoxAt(event->position().toPoint()))
        return;
    QTreeWidget::mouseDoubleClickEvent(event);
}

void ListViewCtrl::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex current = currentIndex();
    if (event->key() == Qt::Key_Space && current.isValid() && !BoxHitRect(current.row()).isNull()) {
        ActivateBox(current.row());
        event->accept();
        return;
    }
    // As in a list of the desktop, the first arrow key of a list where no
    // row is chosen yet chooses the row that has the focus (the first row
    // when none has), and shows it, instead of passing over it.
    const bool arrow = event->key() == Qt::Key_Down || event->key() == Qt::Key_Up;
    if (arrow && event->modifiers() == Qt::NoModifier && RowCount() > 0 && selectedItems().isEmpty()) {
        SelectRow(current.isValid() ? current.row() : 0);
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}
