#pragma once

#include <QObject>

#include <functional>

class QWindow;

// Runs a task once, right after a window has been painted for the first
// time: on the window's first exposure it paints, and the task follows in
// the next turn of the event loop. Work that the first sight of a window
// need not wait for goes here. Owned by the window; a window that is
// destroyed before it was ever shown drops the task.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWindow* window, std::function<void()> task);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_task;
};
