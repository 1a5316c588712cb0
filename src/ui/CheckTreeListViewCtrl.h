#pragma once

#include "ui/ListViewCtrl.h"

#include <vector>

// A list whose rows form a tree, shown indented by depth, each row with a
// three-state check box: not ticked, ticked, or partly ticked (some rows
// below it ticked). Ticking a row ticks every row below it; the rows above
// then follow their children. Rows that cannot be ticked are greyed, ignore
// clicks and always read as not ticked.
//
// Rows are only appended, so row indices stay valid. The value a row
// carries (RowData) is the content node it shows.
class CheckTreeListViewCtrl : public ListViewCtrl {
    Q_OBJECT

public:
    static constexpr int Unticked = 0;
    static constexpr int Ticked = 1;
    static constexpr int PartlyTicked = 2;
    // Width of one level of indentation and of the check box.
    static constexpr int LevelIndent = 16;

    explicit CheckTreeListViewCtrl(QWidget* parent = nullptr);

    // Appends a row under `parentRow` (-1, or any row index not yet in the
    // list, for a top-level row), tickable and not ticked; returns its
    // index. `row` is where the caller expects it: rows are always appended.
    int InsertRow(int row, const QString& text, int parentRow);
    int InsertRow(int row, const QString& text) override;
    void DeleteAllRows() override;

    int ParentRow(int row) const;
    const std::vector<int>& ChildRows(int row) const;
    int Level(int row) const;

    bool IsCheckable(int row) const;
    // A row made not checkable loses its tick.
    void SetCheckable(int row, bool checkable);

    // The row's state if it is checkable, else Unticked.
    int GetCheck(int row) const;
    // Ignored for rows that are not checkable.
    void SetCheck(int row, int state);

    // What a click on the row's box does: a ticked row becomes unticked,
    // any other becomes ticked; the rows below follow (SetDescendants) and
    // the rows above are recomputed (UpdateAncestors). Rows that are not
    // checkable are left alone. Does not emit ChecksChanged.
    void Toggle(int row);
    // Every checkable row below `row` becomes ticked or unticked; rows that
    // are not checkable keep their state but the rows below them follow.
    void SetDescendants(int row, bool ticked);
    // Recomputes the rows above `row`, from its parent to the top.
    void UpdateAncestors(int row);

    // The check box of a row, in viewport coordinates.
    QRect CheckBoxRect(int row) const;

Q_SIGNALS:
    // The user ticked or unticked a row (by mouse or the space bar).
    void ChecksChanged();

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QRect BoxHitRect(int row) const override;
    void ActivateBox(int row) override;

private:
    struct RowRecord {
        int parent = -1;
        std::vector<int> children;
        int level = 0;
        bool checkable = true;
        int state = Unticked;
    };

    bool IsRow(int row) const;
    // The state a checkable ancestor takes from the rows below it.
    int StateFromChildren(int row) const;

    std::vector<RowRecord> rows_;
    bool busy_ = false;
};
