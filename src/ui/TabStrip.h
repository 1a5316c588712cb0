#pragma once

#include <QWidget>

#include <vector>

class QStyleOptionTab;
class QToolButton;

// The row of tabs above the pages of a tab control, drawn by the style as
// its own tab bar draws its tabs: a row wider than the strip scrolls, with
// the two arrow buttons the style places for that. Left and Right (when
// the strip has the focus), the wheel and a press on a tab choose a tab.
//
// Tabs are measured and placed when the strip is painted or asked where a
// tab is, and then only those not placed before: adding or removing a tab
// at the end costs the same however many tabs there are, so that a strip
// of thousands of tabs is built in time in proportion to their number.
class TabStrip : public QWidget {
    Q_OBJECT

public:
    explicit TabStrip(QWidget* parent = nullptr);

    int Count() const;
    // Appends a tab; the first one becomes current. Returns its index.
    int AddTab(const QString& caption);
    // Removes tab `index`; when it was current, the tab that takes its
    // place (or the one before, at the end) becomes current.
    void RemoveTab(int index);
    // Removes every tab at once: no tab is current afterwards.
    void RemoveAllTabs();
    QString TabText(int index) const;

    int CurrentIndex() const;
    void SetCurrentIndex(int index);

    // Where tab `index` is shown, in this strip's coordinates (it may lie
    // outside the strip when the row is scrolled); empty when there is no
    // such tab.
    QRect TabRect(int index) const;
    // The tab under `pos` (in this strip's coordinates), -1 when none.
    int TabAt(const QPoint& pos) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void CurrentChanged(int index);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    struct Tab {
        QString caption;
        int left = 0; // placed from the left end of the unscrolled row
        int width = 0;
    };

    void PlaceTabs() const;
    QSize MeasureTab(int index) const;
    int RowWidth() const;
    void BasicOption(QStyleOptionTab& option, int index) const;
    void PaintOption(QStyleOptionTab& option, int index) const;
    QRect UnscrolledRect(int index) const;
    QRect FreeArea(int index) const;
    void Relayout();
    void PlaceScrollButtons();
    void ScrollTo(int index);
    void ScrollBack();
    void ScrollOn();
    void StepCurrent(int step);
    void SetHover(int index);
    void TabsChanged(int from);
    void TellAssistiveTools(int index);

    std::vector<Tab> tabs_;
    mutable int placed_ = 0; // tabs_[0, placed_) have their place
    mutable int height_ = 0;
    int current_ = -1;
    int hover_ = -1;
    int scroll_ = 0;
    QToolButton* scrollBack_;
    QToolButton* scrollOn_;
};
