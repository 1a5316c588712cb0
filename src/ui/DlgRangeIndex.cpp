#include "ui/DlgRangeIndex.h"

#include "model/NodeStorage.h"
#include "model/TableOrder.h"
#include "quiz/Model.h"
#include "quiz/Ranges.h"
#include "res/ResourceIds.h"
#include "ui/CheckTreeListViewCtrl.h"
#include "ui/ControlId.h"
#include "ui/ListBuilder.h"

#include <QHeaderView>
#include <QVBoxLayout>

DlgRangeIndex::DlgRangeIndex(Model& model, std::shared_ptr<ListBuilder> builder, QWidget* parent)
    : DialogPage(parent)
    , model_(model)
    , builder_(std::move(builder))
    , list_(new CheckTreeListViewCtrl(this))
{
    SetControlId(this, Res::IDD_RANGE_INDEX);
    SetControlId(list_, Res::IDC_INDEX_LIST);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);

    if (builder_) {
        const Book* book = model_.Storage().CurrentBook();
        builder_->InitIndexColumns(*list_, book ? book->bid : 0);
        // The title column takes whatever width the others leave.
        list_->header()->setStretchLastSection(false);
        list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
        InitIndices();
    }
    connect(list_, &CheckTreeListViewCtrl::ChecksChanged, this, &DlgRangeIndex::RebuildRange);
}

void DlgRangeIndex::InitIndices()
{
    list_->DeleteAllRows();
    rowOfIndex_.clear();
    ForEachInTableOrder(model_.Storage().Root(), [this](const Index& entry) { AddEntry(entry); });
}

void DlgRangeIndex::AddEntry(const Index& entry)
{
    const auto parent = rowOfIndex_.find(entry.parent_iid);
    const int parentRow = entry.parent_iid != 0 && parent != rowOfIndex_.end() ? parent->second : -1;
    const int row = builder_->InsertIndex(*list_, list_->RowCount(), parentRow, &entry);
    if (row >= 0) {
        rowOfIndex_[entry.iid] = row;
        list_->SetRowData(row, entry.iid);
        if (!entry.enable)
            list_->SetCheckable(row, false);
    }
}

void DlgRangeIndex::LoadRange(const Ranges& range)
{
    for (const int iid : range.IndexIds()) {
        const int row = RowOf(iid);
        if (row < 0 || !list_->IsCheckable(row))
            continue;
        list_->SetCheck(row, CheckTreeListViewCtrl::Ticked);
        list_->SetDescendants(row, true);
        list_->UpdateAncestors(row);
    }
}

void DlgRangeIndex::ScrollToChoice()
{
    int found = -1;
    int firstCheckable = -1;
    for (int row = 0; row < list_->RowCount() && found < 0; ++row) {
        if (!list_->IsCheckable(row))
            continue;
        if (firstCheckable < 0)
            firstCheckable = row;
        if (list_->GetCheck(row) == CheckTreeListViewCtrl::Ticked)
            found = row;
    }
    if (found < 0)
        found = firstCheckable;
    if (found < 0)
        return;
    list_->scrollToItem(list_->topLevelItem(found), QAbstractItemView::PositionAtTop);
}

std::vector<int> DlgRangeIndex::ChosenIndexIds() const
{
    std::vector<int> ids;
    for (int row = 0; row < list_->RowCount(); ++row) {
        if (list_->ChildRows(row).empty() && list_->IsCheckable(row)
            && list_->GetCheck(row) == CheckTreeListViewCtrl::Ticked)
            ids.push_back(IndexIdOf(row));
    }
    return ids;
}

void DlgRangeIndex::RebuildRange()
{
    model_.SetRange(Ranges(ChosenIndexIds()));
    Q_EMIT RangeChanged();
}

int DlgRangeIndex::RowOf(int iid) const
{
    const auto it = rowOfIndex_.find(iid);
    return it == rowOfIndex_.end() ? -1 : it->second;
}

int DlgRangeIndex::IndexIdOf(int row) const
{
    return list_->RowData(row).toInt();
}
