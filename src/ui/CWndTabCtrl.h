#pragma once

#include <QTabWidget>

// The toolkit's tab widget, with tabs that own their pages: a page added
// with a tab lives until its tab is deleted (or the control is destroyed).
// The page of a tab that becomes current, by a click, a key or a call, gets
// the focus. Ctrl+Tab and Ctrl+Shift+Tab go round the tabs.
class CWndTabCtrl : public QTabWidget {
    Q_OBJECT

public:
    explicit CWndTabCtrl(QWidget* parent = nullptr);

    // Appends a tab captioned `caption` showing `page`, which the control
    // takes over (an empty page when none is given). Returns the tab index.
    // The caption can be changed later (setTabText).
    int AddTab(const QString& caption, QWidget* page);

    // Deletes tab `index` and destroys its page. Do not call it from an
    // event handler of that page.
    void DeleteTab(int index);
    // Deletes every tab and page, the current one last, so that no other
    // page is shown (and made) on the way.
    void DeleteAllTabs();

    // While one lives, tabs are added and deleted with the control and its
    // tab bar out of sight, so that the bar measures its tabs once, at the
    // end, instead of on every change; then the control comes back, laid
    // out, and if it had the focus, the current page has it. They may nest.
    class BulkChange {
    public:
        explicit BulkChange(CWndTabCtrl& tabs);
        ~BulkChange();
        BulkChange(const BulkChange&) = delete;
        BulkChange& operator=(const BulkChange&) = delete;

    private:
        static bool HoldsFocus(const QWidget& widget);

        CWndTabCtrl& m_tabs;
        bool m_controlWasHidden;
        bool m_barWasHidden;
        bool m_hadFocus;
    };

    // Makes tab `index` current and gives its page the focus, even when it
    // was current already. An index out of range changes nothing.
    void SetCurrentTab(int index);

    // The tab under `pos` (in this control's coordinates), -1 when none.
    int TabAt(const QPoint& pos) const;

private:
    void FocusPage(int index);
};
