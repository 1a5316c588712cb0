#pragma once

#include <QDialog>

#include <memory>
#include <vector>

class CWndTabCtrl;
class DlgRangeIndex;
class DlgRangeNumber;
class GaijiListViewCtrl;
class Keyword;
class ListBuilder;
class Model;
class QLabel;
class QTimer;

// The range dialog: the part of the book that questions may come from,
// chosen on one of two pages, by table-of-contents entries or (when the
// book allows it) by number intervals of a keyword attribute. Every change
// on a page replaces the model's current range at once, and the list
// beside the pages shows the vocabulary that range covers with its count.
// OK keeps the range; Cancel puts back the range (of whichever kind) that
// was in force when the dialog opened.
class DlgRange : public QDialog {
    Q_OBJECT

public:
    static constexpr int IndexTab = 0;
    static constexpr int NumberTab = 1;

    explicit DlgRange(Model& model, QWidget* parent = nullptr);
    ~DlgRange() override;

    // Whether the model's book offers ranges by number: its Info value
    // "RangeNumber" reads as a whole number other than 0.
    static bool AllowsRangeNumber(Model& model);

    // Shows the keywords of the model's current range and their count. A
    // list of more than kRowsPerSlice words is filled a slice at a time
    // from the event loop, so that the window answers while it fills.
    void RefreshKeywords();
    // Whether words are still to be added to the list.
    bool FillingKeywords() const { return filled_ < inRange_.size(); }

    DlgRangeIndex& IndexPage() { return *indexPage_; }
    DlgRangeNumber& NumberPage() { return *numberPage_; }
    CWndTabCtrl& Tabs() { return *tabs_; }

    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    static constexpr int kRowsBetweenStopChecks = 1000;
    static constexpr std::size_t kRowsPerSlice = 100000;

    // Adds the next slice of the range's words to the list.
    void FillKeywords();

    void BuildControls();
    void SetUpPages();
    void SetUpKeywordList();
    // The page of the new tab rebuilds the range from what it shows.
    void OnTabChanged(int index);

    Model& model_;
    std::shared_ptr<ListBuilder> builder_;
    CWndTabCtrl* tabs_ = nullptr;
    QLabel* count_ = nullptr;
    GaijiListViewCtrl* keywords_ = nullptr;
    DlgRangeIndex* indexPage_ = nullptr;
    DlgRangeNumber* numberPage_ = nullptr;
    bool scrolled_ = false;
    std::vector<const Keyword*> inRange_; // the words the list shows, filled or not
    std::size_t filled_ = 0;              // how many of them are in the list
    QTimer* fillNext_ = nullptr;
};
