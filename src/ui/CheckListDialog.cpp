#include "ui/CheckListDialog.h"

#include "res/ResourceIds.h"
#include "res/UiText.h"
#include "ui/CDialogResize.h"
#include "ui/ControlId.h"
#include "ui/DialogUnits.h"
#include "ui/GaijiListViewCtrl.h"

#include <QPushButton>
#include <QResizeEvent>

namespace {

QPushButton* MakeButton(const QString& text, int id, const QRect& rect, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    SetControlId(button, id);
    button->setGeometry(rect);
    return button;
}

} // namespace

CheckListDialog::CheckListDialog(const QString& caption, const Layout& layout, QWidget* parent)
    : QDialog(parent)
    , list_(new GaijiListViewCtrl(this))
    , resize_(new CDialogResize(this))
{
    setWindowTitle(caption);
    setSizeGripEnabled(true);
    const DialogUnits du(font());
    const QRect& l = layout.list;
    const QRect& u = layout.up;
    const QRect& d = layout.down;

    SetControlId(list_, layout.listId);
    list_->setGeometry(du.Rect(l.x(), l.y(), l.width(), l.height()));
    list_->SetCheckBoxes(true);
    list_->SetGridLines(true);

    up_ = MakeButton(Res::Text::ArrowUp, layout.upId, du.Rect(u.x(), u.y(), u.width(), u.height()), this);
    down_ = MakeButton(Res::Text::ArrowDown, layout.downId, du.Rect(d.x(), d.y(), d.width(), d.height()), this);
    for (QPushButton* arrow : {up_, down_}) {
        arrow->setMinimumSize(1, 1);
        arrow->setAutoDefault(false);
    }
    connect(up_, &QPushButton::clicked, this, [this] { MoveSelectedRow(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { MoveSelectedRow(1); });

    const int buttonsY = layout.dialog.height() - 21;
    auto* ok = MakeButton(Res::Text::Ok, Res::IDOK, du.Rect(layout.dialog.width() - 111, buttonsY, 50, 14), this);
    auto* cancel
        = MakeButton(Res::Text::Cancel, Res::IDCANCEL, du.Rect(layout.dialog.width() - 57, buttonsY, 50, 14), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    resize_->Add(list_, CDialogResize::SizeX | CDialogResize::SizeY);
    resize_->Add(up_, CDialogResize::MoveX);
    resize_->Add(down_, CDialogResize::MoveX);
    resize_->Add(ok, CDialogResize::MoveX | CDialogResize::MoveY);
    resize_->Add(cancel, CDialogResize::MoveX | CDialogResize::MoveY);
    resize(du.Size(layout.dialog.width(), layout.dialog.height()));
}

void CheckListDialog::FinishLayout()
{
    resize_->Init(true);
    startSize_ = size();
    upStart_ = up_->geometry();
    downStart_ = down_->geometry();
    FitColumns();
}

void CheckListDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (startSize_.isValid()) {
        // The resizer has moved the arrows right; they share the height.
        const int grown = height() - startSize_.height();
        const int upShare = grown / 2;
        up_->setGeometry(up_->x(), upStart_.y(), upStart_.width(), upStart_.height() + upShare);
        down_->setGeometry(
            down_->x(), downStart_.y() + upShare, downStart_.width(), downStart_.height() + grown - upShare);
    }
    FitColumns();
}

void CheckListDialog::MarkRow(int row, const QVariant& value, bool ticked)
{
    list_->SetRowData(row, value);
    list_->SetChecked(row, ticked);
}

std::vector<QVariant> CheckListDialog::TickedValues() const
{
    std::vector<QVariant> values;
    for (int row = 0; row < list_->RowCount(); ++row) {
        if (list_->IsChecked(row))
            values.push_back(list_->RowData(row));
    }
    return values;
}

void CheckListDialog::MoveSelectedRow(int delta)
{
    const int row = list_->SelectedRow();
    const int target = row + delta;
    if (row < 0 || target < 0 || target >= list_->RowCount())
        return;
    // The row moves whole: every cell, its value and its tick.
    QTreeWidgetItem* item = list_->takeTopLevelItem(row);
    list_->insertTopLevelItem(target, item);
    list_->SelectRow(target);
    list_->viewport()->update();
}
