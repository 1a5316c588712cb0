#pragma once

#include <QTabWidget>

// A tab control whose tabs own their pages: a page added with a tab lives
// until its tab is deleted (or the control is destroyed). Only the current
// tab's page is shown; it gets the focus when its tab becomes current, and
// every page is kept sized to the display area of the tabs.
class CWndTabCtrl : public QTabWidget {
    Q_OBJECT

public:
    explicit CWndTabCtrl(QWidget* parent = nullptr);

    // Appends a tab captioned `caption` showing `page`, which the control
    // takes over (an empty page when none is given). Returns the tab index.
    int AddTab(const QString& caption, QWidget* page);

    // Deletes tab `index` and destroys its page. Do not call it from an
    // event handler of that page.
    void DeleteTab(int index);
    // Deletes every tab, last to first, so that no other page is shown on
    // the way.
    void DeleteAllTabs();

    // While one lives, tabs are added and deleted with the control out of
    // sight and every tab but the current one folded away on the bar. The
    // bar lays out all its tabs whenever one is added or removed, and a
    // shown control lays out its bar again on each change: out of sight and
    // folded, that is a quick pass over the tabs rather than a measure of
    // every caption, so that building or clearing thousands of tabs takes
    // little more than time in proportion to their number. At its end every
    // tab is unfolded and the control comes back, laid out once; if it had
    // the focus, the current page has it then. They may nest.
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

    // Makes tab `index` current: hides the old page, shows the new one and
    // gives it the focus.
    void SetCurrentTab(int index);
    int CurrentTab() const;

    // The tab under `pos` (in this control's coordinates), -1 when none.
    int TabAt(const QPoint& pos) const;

private:
    void FocusPage(int index);
    // Folds away every tab but the current one (last to first, so that each
    // is a fixed amount of work), or unfolds them all.
    void FoldTabs();
    void UnfoldTabs();

    int m_bulkChanges = 0;
};
