#pragma once

#include "quiz/AutoSelectOptions.h"

#include <QDialog>

class CEditScount;
class CUpDownCtrl;
class ListViewCtrl;
class QCheckBox;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTableWidget;

// The automatic-selection dialog: how many prints to fill (1 to 10), the
// sub-question count of each selected question format (edited in place in
// the list, or set for all at once from the bulk count, 1 to 1000), and
// whether the chosen sub-questions keep their random order, and a name for
// each class (one row per class; names of classes beyond the count are
// kept for when the count grows again). Books of types other than "101"
// always keep the random order: the box is hidden for them. With
// 出題済みの語を避ける, each class leaves out what it was tested on in the
// last runs (1 to 50; 3 when first turned on).
// After OK ("自動選択") the caller reads Options and runs the selection.
class DlgAuto : public QDialog {
    Q_OBJECT

public:
    static constexpr int MinPrintCount = AutoSelectOptions::kMinPrintCount;
    static constexpr int MaxPrintCount = AutoSelectOptions::kMaxPrintCount;
    static constexpr int MinCount = 1;
    static constexpr int MaxCount = 1000;
    static constexpr int DefaultAvoidRuns = 3;

    // `randomizeAllowed`: whether the teacher may turn the random order off
    // (books of type "101").
    DlgAuto(const AutoSelectOptions& options, bool randomizeAllowed, QWidget* parent = nullptr);

    // The settings as edited; after OK the ones to use and store. Counts
    // typed by hand are brought into the ranges the arrows offer (a
    // per-format count may also be 0: that format gets no sub-questions);
    // a field that holds no number reads as 0 before that.
    AutoSelectOptions Options() const { return options_; }

    ListViewCtrl& CountList() { return *list_; }
    QTableWidget& ClassNameList() { return *names_; }
    CEditScount& CountEditor() { return *editor_; }

    // Opens the in-place editor over the count of `row`.
    void EditCount(int row);
    // Writes the bulk count into the count of every row.
    void ApplyBulkCount();

    void accept() override;

private:
    void BuildControls();
    void BuildCountList();
    void ShowOptions();
    void OnListClicked(const QModelIndex& index);
    void FitColumns();
    // One row of names per class of the count field.
    void ShowClassNames();
    void KeepClassNames();

    AutoSelectOptions options_;
    bool randomizeAllowed_;
    QLineEdit* printCount_ = nullptr;
    CUpDownCtrl* printCountSpin_ = nullptr;
    QCheckBox* randomize_ = nullptr;
    ListViewCtrl* list_ = nullptr;
    CEditScount* editor_ = nullptr;
    QPushButton* applyAll_ = nullptr;
    QLineEdit* bulkCount_ = nullptr;
    CUpDownCtrl* bulkCountSpin_ = nullptr;
    QCheckBox* avoid_ = nullptr;
    QLineEdit* avoidRuns_ = nullptr;
    CUpDownCtrl* avoidRunsSpin_ = nullptr;
    QTableWidget* names_ = nullptr;
    std::vector<QString> classNames_; // one a class, up to the most classes
};
