#include "ui/CUpDownCtrl.h"

#include "model/DecimalText.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QToolButton* MakeArrow(Qt::ArrowType arrow, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return button;
}

} // namespace

CUpDownCtrl::CUpDownCtrl(QWidget* parent)
    : QWidget(parent)
    , up_(MakeArrow(Qt::UpArrow, this))
    , down_(MakeArrow(Qt::DownArrow, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void CUpDownCtrl::SetBuddy(QLineEdit* buddy)
{
    if (buddy_)
        buddy_->removeEventFilter(this);
    buddy_ = buddy;
    if (!buddy_)
        return;
    buddy_->installEventFilter(this);
    QRect area = buddy_->geometry();
    const int width = std::min(area.width() / 2, std::max(12, area.height() * 2 / 3));
    setGeometry(area.right() - width + 1, area.top(), width, area.height());
    area.setWidth(area.width() - width);
    buddy_->setGeometry(area);
}

void CUpDownCtrl::SetRange(int minimum, int maximum)
{
    minimum_ = std::min(minimum, maximum);
    maximum_ = std::max(minimum, maximum);
    position_ = std::clamp(position_, minimum_, maximum_);
}

void CUpDownCtrl::Step(int delta)
{
    if (!buddy_)
        return;
    const int current = DecimalText::Scan(buddy_->text()).value_or(position_);
    // Stepped in 64 bits so that a step beyond the int range wraps too.
    const long long next = static_cast<long long>(current) + delta;
    if (next > maximum_)
        position_ = minimum_;
    else if (next < minimum_)
        position_ = maximum_;
    else
        position_ = static_cast<int>(next);
    buddy_->setText(DecimalText::Format(position_));
}

bool CUpDownCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == buddy_ && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
