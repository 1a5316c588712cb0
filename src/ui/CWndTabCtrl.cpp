#include "ui/CWndTabCtrl.h"

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
    return addTab(page, caption);
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
    // With the first page current, removing the others from the end
    // changes nothing that is shown.
    if (count() > 0)
        setCurrentIndex(0);
    for (int index = count() - 1; index >= 0; --index)
        DeleteTab(index);
}

CWndTabCtrl::BulkChange::BulkChange(CWndTabCtrl& tabs)
    : m_tabs(tabs)
    , m_barWasHidden(tabs.tabBar()->isHidden())
{
    m_tabs.tabBar()->hide();
}

CWndTabCtrl::BulkChange::~BulkChange()
{
    if (!m_barWasHidden)
        m_tabs.tabBar()->show();
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
