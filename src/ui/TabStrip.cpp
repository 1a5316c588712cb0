#include "ui/TabStrip.h"

#include "ui/TabStripAccessible.h"

#include <QAccessible>
#include <QEvent>
#include <QHoverEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>

TabStrip::TabStrip(QWidget* parent)
    : QWidget(parent)
    , scrollBack_(new QToolButton(this))
    , scrollOn_(new QToolButton(this))
{
    TabStripAccessible::Install();
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    for (QToolButton* button : {scrollBack_, scrollOn_}) {
        button->setAutoRepeat(true);
        button->hide();
    }
    scrollBack_->setAccessibleName(tr("Scroll Left"));
    scrollOn_->setAccessibleName(tr("Scroll Right"));
    connect(scrollBack_, &QToolButton::clicked, this, &TabStrip::ScrollBack);
    connect(scrollOn_, &QToolButton::clicked, this, &TabStrip::ScrollOn);
}

int TabStrip::Count() const
{
    return static_cast<int>(tabs_.size());
}

int TabStrip::AddTab(const QString& caption)
{
    tabs_.push_back(Tab{caption});
    const int index = Count() - 1;
    TabsChanged(index);
    if (current_ < 0)
        SetCurrentIndex(index);
    return index;
}

void TabStrip::RemoveTab(int index)
{
    if (index < 0 || index >= Count())
        return;
    tabs_.erase(tabs_.begin() + index);
    if (hover_ >= Count())
        hover_ = -1;
    TabsChanged(index);
    if (index < current_) {
        --current_;
        Q_EMIT CurrentChanged(current_);
    } else if (index == current_) {
        current_ = -1;
        SetCurrentIndex(std::min(index, Count() - 1));
        if (current_ < 0)
            Q_EMIT CurrentChanged(-1);
    }
}

void TabStrip::RemoveAllTabs()
{
    if (tabs_.empty())
        return;
    tabs_.clear();
    hover_ = -1;
    current_ = -1;
    TabsChanged(0);
    Q_EMIT CurrentChanged(-1);
}

QString TabStrip::TabText(int index) const
{
    return index >= 0 && index < Count() ? tabs_[index].caption : QString();
}

int TabStrip::CurrentIndex() const
{
    return current_;
}

void TabStrip::SetCurrentIndex(int index)
{
    if (index < 0 || index >= Count() || index == current_)
        return;
    current_ = index;
    if (isVisible()) {
        ScrollTo(index);
        update();
    }
    TellAssistiveTools(index);
    Q_EMIT CurrentChanged(index);
}

// A tool that follows the focus or the selection hears of the new tab.
void TabStrip::TellAssistiveTools(int index)
{
    if (!QAccessible::isActive())
        return;
    if (hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(index);
        QAccessible::updateAccessibility(&focus);
    }
    QAccessibleEvent selection(this, QAccessible::Selection);
    selection.setChild(index);
    QAccessible::updateAccessibility(&selection);
}

// Everything from tab `from` on moves: it is placed again when next needed.
void TabStrip::TabsChanged(int from)
{
    placed_ = std::min(placed_, from);
    if (tabs_.empty())
        height_ = 0;
    if (isVisible())
        Relayout();
    updateGeometry();
}

void TabStrip::PlaceTabs() const
{
    for (; placed_ < Count(); ++placed_) {
        const QSize size = MeasureTab(placed_);
        Tab& tab = const_cast<Tab&>(tabs_[placed_]);
        tab.left = placed_ == 0 ? 0 : tabs_[placed_ - 1].left + tabs_[placed_ - 1].width;
        tab.width = size.width();
        height_ = std::max(height_, size.height());
    }
}

QSize TabStrip::MeasureTab(int index) const
{
    QStyleOptionTab option;
    BasicOption(option, index);
    const int hspace = style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &option, this);
    const int vspace = style()->pixelMetric(QStyle::PM_TabBarTabVSpace, &option, this);
    const QFontMetrics metrics = fontMetrics();
    const QSize text = metrics.size(Qt::TextShowMnemonic, tabs_[index].caption);
    const QSize contents(text.width() + hspace, metrics.height() + vspace);
    return style()->sizeFromContents(QStyle::CT_TabBarTab, &option, contents, this);
}

int TabStrip::RowWidth() const
{
    PlaceTabs();
    return tabs_.empty() ? 0 : tabs_.back().left + tabs_.back().width;
}

// What the style needs to know of a tab to measure it.
void TabStrip::BasicOption(QStyleOptionTab& option, int index) const
{
    option.initFrom(this);
    option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
    option.row = 0;
    if (index == current_) {
        option.state |= QStyle::State_Selected;
        if (hasFocus())
            option.state |= QStyle::State_HasFocus;
    }
    if (isActiveWindow())
        option.state |= QStyle::State_Active;
    if (!(option.state & QStyle::State_Enabled))
        option.palette.setCurrentColorGroup(QPalette::Disabled);
    option.shape = QTabBar::RoundedNorth;
    option.text = tabs_[index].caption;
    const int iconExtent = style()->pixelMetric(QStyle::PM_TabBarIconSize, nullptr, this);
    option.iconSize = QSize(iconExtent, iconExtent);
    option.documentMode = false;
    if (index > 0 && index - 1 == current_)
        option.selectedPosition = QStyleOptionTab::PreviousIsSelected;
    else if (index + 1 < Count() && index + 1 == current_)
        option.selectedPosition = QStyleOptionTab::NextIsSelected;
    else
        option.selectedPosition = QStyleOptionTab::NotAdjacent;
    const bool first = index == 0;
    const bool last = index == Count() - 1;
    option.position = first && last ? QStyleOptionTab::OnlyOneTab
        : first                     ? QStyleOptionTab::Beginning
        : last                      ? QStyleOptionTab::End
                                    : QStyleOptionTab::Middle;
    // The strip sits on the frame of the pages.
    option.features |= QStyleOptionTab::HasFrame;
    option.tabIndex = index;
}

void TabStrip::PaintOption(QStyleOptionTab& option, int index) const
{
    BasicOption(option, index);
    option.rect = TabRect(index);
    if (index == hover_)
        option.state |= QStyle::State_MouseOver;
    const QRect textRect = style()->subElementRect(QStyle::SE_TabBarTabText, &option, this);
    const auto elide = static_cast<Qt::TextElideMode>(style()->styleHint(QStyle::SH_TabBar_ElideMode, nullptr, this));
    option.text = fontMetrics().elidedText(option.text, elide, textRect.width(), Qt::TextShowMnemonic);
}

QRect TabStrip::UnscrolledRect(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    PlaceTabs();
    return {tabs_[index].left, 0, tabs_[index].width, height_};
}

QRect TabStrip::TabRect(int index) const
{
    const QRect rect = UnscrolledRect(index);
    if (rect.isEmpty())
        return rect;
    return QStyle::visualRect(layoutDirection(), this->rect(), rect.translated(-scroll_, 0));
}

// Tabs are side by side in order: the one under a point is found by
// halving the row.
int TabStrip::TabAt(const QPoint& pos) const
{
    if (tabs_.empty() || !rect().contains(pos))
        return -1;
    PlaceTabs();
    const QPoint inRow = QStyle::visualPos(layoutDirection(), rect(), pos) + QPoint(scroll_, 0);
    if (inRow.y() < 0 || inRow.y() >= height_)
        return -1;
    const auto after
        = std::upper_bound(tabs_.begin(), tabs_.end(), inRow.x(), [](int x, const Tab& tab) { return x < tab.left; });
    if (after == tabs_.begin())
        return -1;
    const auto& tab = *(after - 1);
    return inRow.x() < tab.left + tab.width ? static_cast<int>(after - tabs_.begin()) - 1 : -1;
}

QSize TabStrip::sizeHint() const
{
    const int width = RowWidth();
    return tabs_.empty() ? QSize(0, 0) : QSize(width, height_);
}

QSize TabStrip::minimumSizeHint() const
{
    // Room for the scroll buttons and a little of the row.
    return {scrollOn_->sizeHint().width() * 2 + 75, sizeHint().height()};
}

// The part of the strip that shows tabs, in unscrolled left-to-right
// coordinates: all of it, or what the scroll buttons (and, with a tab cut
// off at either end, the style's tear marks) leave free.
QRect TabStrip::FreeArea(int index) const
{
    if (scrollBack_->isHidden())
        return rect();
    QStyleOptionTab option;
    if (current_ >= 0)
        BasicOption(option, current_);
    else
        option.initFrom(this);
    option.rect = rect();
    const auto sub = [&](QStyle::SubElement element) {
        return QStyle::visualRect(layoutDirection(), rect(), style()->subElementRect(element, &option, this));
    };
    const QRect back = sub(QStyle::SE_TabBarScrollLeftButton);
    const QRect on = sub(QStyle::SE_TabBarScrollRightButton);
    const QRect tearBack = sub(QStyle::SE_TabBarTearIndicatorLeft);
    const QRect tearOn = sub(QStyle::SE_TabBarTearIndicatorRight);

    const bool backOnLeft = back.x() < width() / 2;
    const bool onOnLeft = on.x() < width() / 2;
    int left = 0;
    int right = width();
    if (backOnLeft && onOnLeft)
        left = on.right() + 1;
    else if (!backOnLeft && !onOnLeft)
        right = back.left();
    else {
        left = back.right() + 1;
        right = on.left();
    }
    const int rowEnd = RowWidth();
    if (index != 0 && left != -scroll_ && !tearBack.isNull())
        left = tearBack.right() + 1;
    if (index != Count() - 1 && right != rowEnd - scroll_ && !tearOn.isNull())
        right = tearOn.left();
    return {left, 0, right - left, height()};
}

// The scroll buttons show when the row is wider than the strip.
void TabStrip::PlaceScrollButtons()
{
    const int rowWidth = RowWidth();
    if (tabs_.empty() || rowWidth <= width()) {
        scrollBack_->hide();
        scrollOn_->hide();
        scroll_ = 0;
        return;
    }
    QStyleOption option;
    option.initFrom(this);
    QRect back = style()->subElementRect(QStyle::SE_TabBarScrollLeftButton, &option, this);
    QRect on = style()->subElementRect(QStyle::SE_TabBarScrollRightButton, &option, this);
    const int buttonWidth = style()->pixelMetric(QStyle::PM_TabBarScrollButtonWidth, &option, this);
    if (layoutDirection() == Qt::RightToLeft) {
        on.setWidth(buttonWidth);
        back.setX(back.right() + 1 - buttonWidth);
        back.setWidth(buttonWidth);
        scrollBack_->setArrowType(Qt::RightArrow);
        scrollOn_->setArrowType(Qt::LeftArrow);
    } else {
        back.setWidth(buttonWidth);
        on.setX(on.right() + 1 - buttonWidth);
        on.setWidth(buttonWidth);
        scrollBack_->setArrowType(Qt::LeftArrow);
        scrollOn_->setArrowType(Qt::RightArrow);
    }
    scrollBack_->setGeometry(back);
    scrollOn_->setGeometry(on);
    scrollBack_->show();
    scrollOn_->show();
}

void TabStrip::Relayout()
{
    PlaceScrollButtons();
    ScrollTo(current_);
    update();
}

// Scrolls the row so that tab `index` is in full sight, and the row fills
// the strip as far as it can.
void TabStrip::ScrollTo(int index)
{
    const QRect tab = UnscrolledRect(index);
    if (tab.isEmpty()) {
        scrollBack_->setEnabled(false);
        scrollOn_->setEnabled(false);
        return;
    }
    const int before = scroll_;
    const int rowEnd = RowWidth() - 1;
    const QRect free = FreeArea(index);
    const QRect wholeFree = FreeArea(0);
    const int firstShown = std::max(1, free.left() + scroll_);
    const int lastShown = std::min(rowEnd - 1, free.right() + scroll_);
    if (tab.left() < firstShown)
        scroll_ = tab.left() - free.left();
    else if (tab.right() > lastShown)
        scroll_ = std::max(0, tab.right() - free.right());
    else if (scroll_ + wholeFree.width() > rowEnd + 1)
        scroll_ = std::max(0, rowEnd - wholeFree.width() + 1);
    else if (width() >= rowEnd)
        scroll_ = 0;
    scrollBack_->setEnabled(scroll_ > -free.left());
    scrollOn_->setEnabled(scroll_ < rowEnd - free.right());
    if (scroll_ != before)
        update();
}

// The arrow buttons bring the next tab cut off at their end into sight.
void TabStrip::ScrollBack()
{
    const QRect free = FreeArea(0).translated(scroll_, 0);
    for (int index = Count() - 1; index >= 0; --index) {
        if (UnscrolledRect(index).left() < free.left()) {
            ScrollTo(index);
            return;
        }
    }
}

void TabStrip::ScrollOn()
{
    const QRect free = FreeArea(0).translated(scroll_, 0);
    for (int index = 0; index < Count(); ++index) {
        const QRect tab = UnscrolledRect(index);
        if (tab.right() > free.right() && tab.left() > scroll_) {
            ScrollTo(index);
            return;
        }
    }
}

void TabStrip::StepCurrent(int step)
{
    SetCurrentIndex(std::clamp(current_ + step, 0, Count() - 1));
}

void TabStrip::SetHover(int index)
{
    if (index == hover_)
        return;
    const QRect old = TabRect(hover_);
    hover_ = index;
    update(old);
    update(TabRect(hover_));
}

bool TabStrip::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::HoverMove:
    case QEvent::HoverEnter: SetHover(TabAt(static_cast<QHoverEvent*>(event)->position().toPoint())); break;
    case QEvent::HoverLeave: SetHover(-1); break;
    default: break;
    }
    return QWidget::event(event);
}

void TabStrip::paintEvent(QPaintEvent*)
{
    if (tabs_.empty())
        return;
    QStylePainter painter(this);
    PlaceTabs();
    // Nothing of a tab shows through the scroll buttons.
    if (!scrollBack_->isHidden()) {
        QStyleOption option;
        option.initFrom(this);
        const QRegion buttons = QRegion(style()->subElementRect(QStyle::SE_TabBarScrollLeftButton, &option, this))
            | style()->subElementRect(QStyle::SE_TabBarScrollRightButton, &option, this);
        painter.setClipRegion(QRegion(rect()) - buttons);
    }
    // Only the tabs in sight are drawn, the current one last, on top.
    const QRect free = FreeArea(0);
    const int from = std::max(0, TabAt(QStyle::visualPos(layoutDirection(), rect(), QPoint(0, 0))) - 1);
    int cutBack = -1;
    for (int index = from; index < Count(); ++index) {
        const QRect unscrolled = UnscrolledRect(index);
        if (unscrolled.left() < free.left() + scroll_)
            cutBack = index;
        if (unscrolled.left() - scroll_ > width())
            break;
        if (index == current_)
            continue;
        QStyleOptionTab option;
        PaintOption(option, index);
        painter.drawControl(QStyle::CE_TabBarTab, option);
    }
    // The last tab is the one cut off at the far end, if any is.
    const int cutOn = RowWidth() - 1 > free.right() + scroll_ ? Count() - 1 : -1;
    if (current_ >= 0) {
        QStyleOptionTab option;
        PaintOption(option, current_);
        painter.drawControl(QStyle::CE_TabBarTab, option);
    }
    if (scrollBack_->isVisible() && cutBack >= 0) {
        QStyleOptionTab option;
        PaintOption(option, cutBack);
        option.rect = rect();
        option.rect = style()->subElementRect(QStyle::SE_TabBarTearIndicatorLeft, &option, this);
        painter.drawPrimitive(QStyle::PE_IndicatorTabTearLeft, option);
    }
    if (scrollOn_->isVisible() && cutOn >= 0) {
        QStyleOptionTab option;
        PaintOption(option, cutOn);
        option.rect = rect();
        option.rect = style()->subElementRect(QStyle::SE_TabBarTearIndicatorRight, &option, this);
        painter.drawPrimitive(QStyle::PE_IndicatorTabTearRight, option);
    }
}

// A resized strip scrolls its row back to the start, then on as far as the
// current tab needs, as the toolkit's own tab bar does.
void TabStrip::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    scroll_ = 0;
    Relayout();
}

void TabStrip::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Relayout();
}

void TabStrip::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::StyleChange:
    case QEvent::FontChange:
        placed_ = 0;
        height_ = 0;
        updateGeometry();
        if (isVisible())
            Relayout();
        break;
    case QEvent::ActivationChange:
    case QEvent::EnabledChange:
    case QEvent::PaletteChange: update(); break;
    default: break;
    }
    QWidget::changeEvent(event);
}

void TabStrip::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const int index = TabAt(event->position().toPoint());
    if (index >= 0)
        SetCurrentIndex(index);
}

void TabStrip::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Left && event->key() != Qt::Key_Right) {
        event->ignore();
        return;
    }
    const Qt::Key back = layoutDirection() == Qt::RightToLeft ? Qt::Key_Right : Qt::Key_Left;
    StepCurrent(event->key() == back ? -1 : 1);
}

void TabStrip::wheelEvent(QWheelEvent* event)
{
    if (!style()->styleHint(QStyle::SH_TabBar_AllowWheelScrolling, nullptr, this)) {
        event->ignore();
        return;
    }
    const QPoint angle = event->angleDelta();
    const int delta = std::abs(angle.y()) > std::abs(angle.x()) ? angle.y() : angle.x();
    if (delta == 0) {
        event->ignore();
        return;
    }
    StepCurrent(delta > 0 ? -1 : 1);
}
