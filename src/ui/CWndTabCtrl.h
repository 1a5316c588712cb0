#pragma once

#include <QWidget>

#include <vector>

class QStyleOptionTabWidgetFrame;
class TabStrip;

// A tab control whose tabs own their pages: a page added with a tab lives
// until its tab is deleted (or the control is destroyed). Only the current
// tab's page is shown; it gets the focus when its tab becomes current, and
// it is kept sized to the display area of the tabs. Ctrl+Tab and
// Ctrl+Shift+Tab go round the tabs.
//
// It looks as the style draws a tab widget, but adds and deletes tabs at
// the end in the same time however many there are: nothing is measured
// until the control is laid out or painted.
class CWndTabCtrl : public QWidget {
    Q_OBJECT

public:
    explicit CWndTabCtrl(QWidget* parent = nullptr);

    // Appends a tab captioned `caption` showing `page`, which the control
    // takes over (an empty page when none is given). Returns the tab index.
    int AddTab(const QString& caption, QWidget* page);

    // Deletes tab `index` and destroys its page. Do not call it from an
    // event handler of that page.
    void DeleteTab(int index);
    // Deletes every tab and page at once.
    void DeleteAllTabs();

    // While one lives, tabs are added and deleted with the control out of
    // sight; at its end the control comes back, laid out once, and if it
    // had the focus, the current page has it then. They may nest.
    class BulkChange {
    public:
        explicit BulkChange(CWndTabCtrl& tabs);
        ~BulkChange();
        BulkChange(const BulkChange&) = delete;
        BulkChange& operator=(const BulkChange&) = delete;

    private:
        QWidget& OutOfSight() const;
        static bool HoldsFocus(const QWidget& widget);

        CWndTabCtrl& m_tabs;
        bool m_wasHidden;
        bool m_hadFocus;
    };

    int TabCount() const;
    QWidget* Page(int index) const;
    QString TabText(int index) const;

    // Makes tab `index` current: hides the old page, shows the new one and
    // gives it the focus.
    void SetCurrentTab(int index);
    int CurrentTab() const;

    // The tab under `pos` (in this control's coordinates), -1 when none.
    int TabAt(const QPoint& pos) const;
    // The row of tabs.
    TabStrip& Strip() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void CurrentTabChanged(int index);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowCurrentPage(int index);
    void FocusPage(int index);
    void FrameOption(QStyleOptionTabWidgetFrame& option) const;
    QSize FramedSize(const QSize& pages, const QSize& strip) const;
    void LayOut();
    QWidget* NewPageArea();

    TabStrip* m_strip;
    QWidget* m_pageArea;
    std::vector<QWidget*> m_pages;
    QWidget* m_shown = nullptr;
    QRect m_panel;
};
