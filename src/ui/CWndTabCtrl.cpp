#include "ui/CWndTabCtrl.h"

#include "ui/TabStrip.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>

namespace {

// The least size a layout would give `widget`, as layouts reckon it.
QSize SmallestSize(const QWidget& widget)
{
    const QSize hint = widget.sizeHint();
    const QSize minimumHint = widget.minimumSizeHint();
    const QSizePolicy policy = widget.sizePolicy();
    QSize size(0, 0);
    if (policy.horizontalPolicy() != QSizePolicy::Ignored)
        size.setWidth(policy.horizontalPolicy() & QSizePolicy::ShrinkFlag
                ? minimumHint.width()
                : std::max(hint.width(), minimumHint.width()));
    if (policy.verticalPolicy() != QSizePolicy::Ignored)
        size.setHeight(policy.verticalPolicy() & QSizePolicy::ShrinkFlag
                ? minimumHint.height()
                : std::max(hint.height(), minimumHint.height()));
    size = size.boundedTo(widget.maximumSize());
    if (widget.minimumWidth() > 0)
        size.setWidth(widget.minimumWidth());
    if (widget.minimumHeight() > 0)
        size.setHeight(widget.minimumHeight());
    return size.expandedTo(QSize(0, 0));
}

} // namespace

CWndTabCtrl::CWndTabCtrl(QWidget* parent)
    : QWidget(parent)
    , m_strip(new TabStrip(this))
    , m_pageArea(NewPageArea())
{
    setSizePolicy(QSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding, QSizePolicy::TabWidget));
    setFocusPolicy(Qt::TabFocus);
    setFocusProxy(m_strip);
    connect(m_strip, &TabStrip::CurrentChanged, this, [this](int index) {
        ShowCurrentPage(index);
        Q_EMIT CurrentTabChanged(index);
    });
}

QWidget* CWndTabCtrl::NewPageArea()
{
    auto* area = new QWidget(this);
    area->installEventFilter(this);
    return area;
}

int CWndTabCtrl::AddTab(const QString& caption, QWidget* page)
{
    if (!page)
        page = new QWidget;
    page->setParent(m_pageArea);
    page->hide();
    m_pages.push_back(page);
    return m_strip->AddTab(caption);
}

void CWndTabCtrl::DeleteTab(int index)
{
    if (index < 0 || index >= TabCount())
        return;
    QWidget* page = m_pages[index];
    m_pages.erase(m_pages.begin() + index);
    if (page == m_shown)
        m_shown = nullptr;
    // The page goes once the next one is shown, so that the focus has
    // somewhere to go within the control.
    m_strip->RemoveTab(index);
    delete page;
}

// The pages go with the area that holds them, all together.
void CWndTabCtrl::DeleteAllTabs()
{
    const BulkChange bulk(*this);
    m_pages.clear();
    m_shown = nullptr;
    m_strip->RemoveAllTabs();
    QWidget* old = m_pageArea;
    m_pageArea = NewPageArea();
    m_pageArea->setGeometry(old->geometry());
    m_pageArea->show();
    delete old;
}

// A control that is a window of its own keeps the window up and hides its
// tabs only.
QWidget& CWndTabCtrl::BulkChange::OutOfSight() const
{
    return m_tabs.isWindow() ? static_cast<QWidget&>(*m_tabs.m_strip) : m_tabs;
}

CWndTabCtrl::BulkChange::BulkChange(CWndTabCtrl& tabs)
    : m_tabs(tabs)
    , m_wasHidden(OutOfSight().isHidden())
    , m_hadFocus(!tabs.isWindow() && HoldsFocus(tabs))
{
    // Hiding the focused control would pass the focus on to the next
    // control of the window; the window keeps it meanwhile instead.
    if (m_hadFocus)
        m_tabs.window()->setFocus(Qt::OtherFocusReason);
    OutOfSight().hide();
}

CWndTabCtrl::BulkChange::~BulkChange()
{
    if (m_wasHidden)
        return;
    OutOfSight().show();
    // The tabs get their place now rather than from a queued request, so
    // that they can be asked where they are as soon as the change ends.
    QEvent layoutRequest(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(&m_tabs, &layoutRequest);
    if (!m_hadFocus)
        return;
    if (m_tabs.TabCount() > 0)
        m_tabs.FocusPage(m_tabs.CurrentTab());
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
    return static_cast<int>(m_pages.size());
}

QWidget* CWndTabCtrl::Page(int index) const
{
    return index >= 0 && index < TabCount() ? m_pages[index] : nullptr;
}

QString CWndTabCtrl::TabText(int index) const
{
    return m_strip->TabText(index);
}

void CWndTabCtrl::SetCurrentTab(int index)
{
    if (index < 0 || index >= TabCount())
        return;
    if (index == CurrentTab())
        FocusPage(index); // no change to report, but the page still takes the focus
    else
        m_strip->SetCurrentIndex(index);
}

int CWndTabCtrl::CurrentTab() const
{
    return m_strip->CurrentIndex();
}

int CWndTabCtrl::TabAt(const QPoint& pos) const
{
    return m_strip->TabAt(m_strip->mapFrom(this, pos));
}

TabStrip& CWndTabCtrl::Strip() const
{
    return *m_strip;
}

// The new page is shown and focused before the old one is hidden, so that
// the focus stays within the control.
void CWndTabCtrl::ShowCurrentPage(int index)
{
    QWidget* next = Page(index);
    QWidget* previous = m_shown;
    if (next == previous)
        return;
    m_shown = next;
    if (next) {
        next->setGeometry(m_pageArea->rect());
        next->show();
        FocusPage(index);
    }
    if (previous)
        previous->hide();
}

void CWndTabCtrl::FocusPage(int index)
{
    QWidget* page = Page(index);
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

// What the style needs to know to place and draw the frame of the pages,
// as for a tab widget with its tabs on top.
void CWndTabCtrl::FrameOption(QStyleOptionTabWidgetFrame& option) const
{
    option.initFrom(this);
    option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    option.shape = QTabBar::RoundedNorth;
    option.tabBarSize = m_strip->isVisibleTo(this) ? m_strip->sizeHint() : QSize(0, 0);
    option.leftCornerWidgetSize = QSize(0, 0);
    option.rightCornerWidgetSize = QSize(0, 0);
    QRect selected = m_strip->TabRect(m_strip->CurrentIndex());
    selected.moveTopLeft(selected.topLeft() + m_strip->pos());
    option.selectedTabRect = selected;
    option.tabBarRect = m_strip->geometry();
}

void CWndTabCtrl::LayOut()
{
    if (!isVisible())
        return;
    QStyleOptionTabWidgetFrame option;
    FrameOption(option);
    m_strip->setGeometry(style()->subElementRect(QStyle::SE_TabWidgetTabBar, &option, this));
    // The frame's gap under the current tab follows the strip just placed.
    FrameOption(option);
    m_panel = style()->subElementRect(QStyle::SE_TabWidgetTabPane, &option, this);
    m_pageArea->setGeometry(style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this));
    if (m_shown)
        m_shown->setGeometry(m_pageArea->rect());
    update();
    updateGeometry();
}

QSize CWndTabCtrl::FramedSize(const QSize& pages, const QSize& strip) const
{
    QStyleOptionTabWidgetFrame option;
    FrameOption(option);
    option.state = QStyle::State_None;
    const QSize contents(std::max(pages.width(), strip.width()), pages.height() + strip.height());
    return style()->sizeFromContents(QStyle::CT_TabWidget, &option, contents, this);
}

QSize CWndTabCtrl::sizeHint() const
{
    QSize pages;
    for (const QWidget* page : m_pages)
        pages = pages.expandedTo(page->sizeHint());
    return FramedSize(pages, m_strip->sizeHint().boundedTo(QSize(200, 200)));
}

QSize CWndTabCtrl::minimumSizeHint() const
{
    QSize pages(0, 0);
    for (const QWidget* page : m_pages)
        pages = pages.expandedTo(SmallestSize(*page));
    return FramedSize(pages, m_strip->minimumSizeHint());
}

bool CWndTabCtrl::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::LayoutRequest:
    case QEvent::StyleChange:
    case QEvent::FontChange: LayOut(); break;
    default: break;
    }
    return QWidget::event(event);
}

// A page that wants another size asks the area that holds it.
bool CWndTabCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pageArea && event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QWidget::eventFilter(watched, event);
}

void CWndTabCtrl::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame option;
    FrameOption(option);
    option.rect = m_panel;
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, option);
}

void CWndTabCtrl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOut();
}

void CWndTabCtrl::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    LayOut();
}

// Ctrl+Tab goes on to the next tab, Ctrl+Shift+Tab back, round the ends.
void CWndTabCtrl::keyPressEvent(QKeyEvent* event)
{
    const bool tabKey = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (!tabKey || !(event->modifiers() & Qt::ControlModifier) || TabCount() < 2) {
        event->ignore();
        return;
    }
    const bool back = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
    const int count = TabCount();
    m_strip->SetCurrentIndex((CurrentTab() + (back ? count - 1 : 1)) % count);
    if (!QApplication::focusWidget())
        m_strip->setFocus();
}
