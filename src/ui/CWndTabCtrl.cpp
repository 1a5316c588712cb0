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
    // Only the current page is shown: the others stay hidden, and a page
    // that makes its contents when first shown does not make them now.
    page->hide();
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

// Tabs after the current one go from the last, then those before it, so
// that the current page stays current until it goes itself.
void CWndTabCtrl::DeleteAllTabs()
{
    const BulkChange bulk(*this);
    const int current = currentIndex();
    for (int index = count() - 1; index > current; --index)
        DeleteTab(index);
    while (count() > 1)
        DeleteTab(count() - 2);
    DeleteTab(0);
}

CWndTabCtrl::BulkChange::BulkChange(CWndTabCtrl& tabs)
    : m_tabs(tabs)
    , m_controlWasHidden(tabs.isHidden())
    , m_barWasHidden(tabs.tabBar()->isHidden())
    , m_hadFocus(!tabs.isWindow() && HoldsFocus(tabs))
{
    // Hiding the focused control would pass the focus on to the next
    // control of the window; the window keeps it meanwhile instead.
    if (m_hadFocus)
        m_tabs.window()->setFocus(Qt::OtherFocusReason);
    // A control that is a window of its own stays up.
    if (!m_tabs.isWindow())
        m_tabs.hide();
    m_tabs.tabBar()->hide();
}

CWndTabCtrl::BulkChange::~BulkChange()
{
    if (!m_barWasHidden)
        m_tabs.tabBar()->show();
    if (!m_tabs.isWindow() && !m_controlWasHidden)
        m_tabs.show();
    if (m_tabs.isHidden())
        return;
    // The tabs get their place now rather than from a queued request, so
    // that they can be asked where they are as soon as the change ends.
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

void CWndTabCtrl::SetCurrentTab(int index)
{
    if (index < 0 || index >= count())
        return;
    if (index == currentIndex())
        FocusPage(index); // no change to report, but the page still takes the focus
    else
        setCurrentIndex(index);
}

int CWndTabCtrl::TabAt(const QPoint& pos) const
{
    const QTabBar* bar = tabBar();
    return bar->isVisible() ? bar->tabAt(bar->mapFrom(this, pos)) : -1;
}

// The page itself, or the first control on it that takes the focus.
void CWndTabCtrl::FocusPage(int index)
{
    QWidget* page = widget(index);
    if (!page || !isVisible())
        return;
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
