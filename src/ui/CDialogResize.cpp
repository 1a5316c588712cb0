#include "ui/CDialogResize.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>

CDialogResize::CDialogResize(QWidget* dialog)
    : QObject(dialog)
    , dialog_(dialog)
{
    dialog_->installEventFilter(this);
}

void CDialogResize::Add(QWidget* control, int anchors)
{
    items_.push_back({control, anchors, control->geometry()});
}

void CDialogResize::Init(bool keepMinimum)
{
    initialSize_ = dialog_->size();
    for (Item& item : items_) {
        if (item.control)
            item.initial = item.control->geometry();
    }
    if (keepMinimum)
        dialog_->setMinimumSize(initialSize_);
    initialised_ = true;
}

bool CDialogResize::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == dialog_ && event->type() == QEvent::Resize && initialised_)
        Apply();
    return QObject::eventFilter(watched, event);
}

void CDialogResize::Apply()
{
    const int dx = dialog_->width() - initialSize_.width();
    const int dy = dialog_->height() - initialSize_.height();
    for (const Item& item : items_) {
        if (!item.control)
            continue;
        QRect r = item.initial;
        if (item.anchors & MoveX)
            r.translate(dx, 0);
        if (item.anchors & MoveY)
            r.translate(0, dy);
        if (item.anchors & SizeX)
            r.setWidth(std::max(0, r.width() + dx));
        if (item.anchors & SizeY)
            r.setHeight(std::max(0, r.height() + dy));
        item.control->setGeometry(r);
    }
}
