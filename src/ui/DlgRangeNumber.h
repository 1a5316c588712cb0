#pragma once

#include "quiz/RangeNumber.h"

#include "ui/DialogPage.h"

#include <map>

class CUpDownCtrl;
class Model;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class Ranges;

// Page of the range dialog that chooses number intervals of one keyword
// attribute (the method). Each method keeps its own intervals while the
// dialog is open; the current method's intervals are the model's current
// range, replaced at once after every change.
class DlgRangeNumber : public DialogPage {
    Q_OBJECT

public:
    explicit DlgRangeNumber(Model& model, QWidget* parent = nullptr);

    // Takes the method and intervals of a number range; with a range of
    // another kind the first method becomes current. Does not change the
    // model's range.
    void LoadRange(const Ranges& range);
    // Makes the current method's intervals the model's current range
    // (taking the first method first when none is current yet).
    void RebuildRange();

    // The attribute class of the current method, 0 when none.
    int CurrentClass() const { return currentClass_; }
    RangeNumber::Intervals IntervalsOf(int acid) const;

    // Choosing a method, adding, deleting and clearing, as the controls do.
    void ChooseMethod(int comboIndex);
    void AddInterval();
    void DeleteInterval();
    void ClearIntervals();

Q_SIGNALS:
    // The model's current range was replaced.
    void RangeChanged();

private:
    void BuildControls();
    void FillMethods();
    // Selects the method of `acid` in the combo without reacting to it,
    // and shows its valid range.
    void SelectClass(int acid);
    void ShowValidRange();
    void ListIntervals();

    Model& model_;
    std::map<int, RangeNumber::Intervals> intervals_;
    int currentClass_ = 0;

    QComboBox* method_;
    QLabel* validRange_;
    QLineEdit* lower_;
    QLineEdit* upper_;
    CUpDownCtrl* lowerSpin_;
    CUpDownCtrl* upperSpin_;
    QListWidget* list_;
};
