#pragma once

#include "ui/DialogPage.h"

#include <map>
#include <memory>
#include <vector>

class CheckTreeListViewCtrl;
class Index;
class ListBuilder;
class Model;
class Ranges;

// Page of the range dialog that chooses table-of-contents entries: the
// book's contents as a tree of check rows. Every tick or untick makes the
// ticked entries the model's current range at once.
class DlgRangeIndex : public DialogPage {
    Q_OBJECT

public:
    // Lists the contents of the model's book with the rows of `builder`
    // (nothing is listed without one).
    DlgRangeIndex(Model& model, std::shared_ptr<ListBuilder> builder, QWidget* parent = nullptr);

    // Ticks the entries of an index range, with every row below them; a
    // range of another kind ticks nothing.
    void LoadRange(const Ranges& range);
    // Scrolls so that the first ticked row, or else the first row that can
    // be ticked, stands at the top.
    void ScrollToChoice();
    // Makes the entries of the ticked rows without children, in row order,
    // the model's current range.
    void RebuildRange();

    // The entries of the ticked rows without children, in row order.
    std::vector<int> ChosenIndexIds() const;

    CheckTreeListViewCtrl& List() { return *list_; }
    // The row of entry `iid`, -1 when it is not listed.
    int RowOf(int iid) const;
    // The entry shown in `row`, 0 when none.
    int IndexIdOf(int row) const;

Q_SIGNALS:
    // The model's current range was replaced.
    void RangeChanged();

private:
    void InitIndices();
    // Lists one entry below its parent's row (entries come in table order).
    void AddEntry(const Index& entry);

    Model& model_;
    std::shared_ptr<ListBuilder> builder_;
    CheckTreeListViewCtrl* list_;
    std::map<int, int> rowOfIndex_;
};
