#include "ui/AfterFirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWindow>

#include <utility>

AfterFirstPaint::AfterFirstPaint(QWindow* window, std::function<void()> task)
    : QObject(window)
    , m_task(std::move(task))
{
    window->installEventFilter(this);
}

bool AfterFirstPaint::eventFilter(QObject* watched, QEvent* event)
{
    auto* window = qobject_cast<QWindow*>(watched);
    if (event->type() == QEvent::Expose && window && window->isExposed() && m_task) {
        // The window paints while it handles this event; the task follows
        // once that is done.
        QTimer::singleShot(0, this, std::exchange(m_task, {}));
    }
    return false;
}
