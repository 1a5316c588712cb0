#include "ui/CWndTabCtrl.h"

#include <QApplication>
#include <QEvent>
#include <QTabBar>

CWndTabCtrl::CWndTabCtrl(QWidget* parent)
    : QTabWidget(parent)
{
    connect(this, &QTabWidget::currentChanged, this, &CWndTabCtrl::FocusPage);
}

int CWndTabCtrl::AddTab(const QString& caption, QWidget* page)
{
    if (!page)
        page = new QWidget;
    const int index = addTab(page, caption);
    if (m_bulkChanges > 0 && index != currentIndex())
        tabBar()->setTabVisible(index, false);
    return index;
}

void CWndTabCtrl::DeleteTab(int index)
{
    QWidget* page = widget(index);
    if (!page)
        return;
    removeTab(index);
    delete page;
}

void CWndTabCtrl::DeleteAllTabs()
{
    const BulkChange bulk(*this);
    // With the first page current, removing the others from the end
    // changes nothing that is shown.
    if (count() > 0)
        setCurrentIndex(0);
    FoldTabs();
    for (int index = count() - 1; index >= 0; --index)
        DeleteTab(index);
}

// Only changes are made: the bar forgets that its layout is out of date
// when a tab is given the visibility it already has.
void CWndTabCtrl::FoldTabs()
{
    QTabBar* bar = tabBar();
    for (int index = count() - 1; index >= 0; --index) {
        const bool wanted = index == currentIndex();
        if (bar->isTabVisible(index) != wanted)
            bar->setTabVisible(index, wanted);
    }
}

void CWndTabCtrl::UnfoldTabs()
{
    QTabBar* bar = tabBar();
    for (int index = 0; index < count(); ++index) {
        if (!bar->isTabVisible(index))
            bar->setTabVisible(index, true);
    }
}

// A control that is a window of its own keeps the window up and hides its
// bar only.
QWidget& CWndTabCtrl::BulkChange::OutOfSight() const
{
    return m_tabs.isWindow() ? static_cast<QWidget&>(*m_tabs.tabBar()) : m_tabs;
}

CWndTabCtrl::BulkChange::BulkChange(CWndTabCtrl& tabs)
    : m_tabs(tabs)
    , m_wasHidden(OutOfSight().isHidden())
    , m_hadFocus(!tabs.isWindow() && HoldsFocus(tabs))
{
    if (m_tabs.m_bulkChanges++ == 0)
        m_tabs.FoldTabs();
    // Hiding the focused control would pass the focus on to the next
    // control of the window; the window keeps it meanwhile instead.
    if (m_hadFocus)
        m_tabs.window()->setFocus(Qt::OtherFocusReason);
    OutOfSight().hide();
}

CWndTabCtrl::BulkChange::~BulkChange()
{
    if (--m_tabs.m_bulkChanges == 0)
        m_tabs.UnfoldTabs();
    if (m_wasHidden)
        return;
    OutOfSight().show();
    // The bar gets its place now rather than from a queued request, so
    // that it can be asked where its tabs are as soon as the change ends.
    QEvent layoutRequest(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(&m_tabs, &layoutRequest);
    if (!m_hadFocus)
        return;
    if (m_tabs.count() > 0)
        m_tabs.FocusPage(m_tabs.currentIndex());
    else
        m_tabs.setFocus(Qt::OtherFocusReason);
}

bool CWndTabCtrl::BulkChange::HoldsFocus(const QWidget& widget)
{
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == &widget || widget.isAncestorOf(focus));
}

int CWndTabCtrl::TabCount() const
{
    return count();
}

QWidget* CWndTabCtrl::Page(int index) const
{
    return widget(index);
}

void CWndTabCtrl::SetCurrentTab(int index)
{
    if (index < 0 || index >= count())
        return;
    if (index == currentIndex())
        FocusPage(index);  // no change to report, but the page still takes the focus
    else
        setCurrentIndex(index);
}

int CWndTabCtrl::CurrentTab() const
{
    return currentIndex();
}

int CWndTabCtrl::TabAt(const QPoint& pos) const
{
    return tabBar()->tabAt(tabBar()->mapFrom(this, pos));
}

void CWndTabCtrl::FocusPage(int index)
{
    QWidget* page = widget(index);
    if (!page || !isVisible())
        return;
    // The page itself, or the first control on it that takes the focus.
    QWidget* target = page;
    if (page->focusPolicy() == Qt::NoFocus && !page->focusProxy()) {
        for (QWidget* child : page->findChildren<QWidget*>()) {
            if (child->isVisibleTo(page) && child->isEnabled() && (child->focusPolicy() & Qt::TabFocus)) {
                target = child;
                break;
            }
        }
    }
    target->setFocus(Qt::OtherFocusReason);
}
