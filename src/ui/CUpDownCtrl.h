#pragma once

#include <QWidget>

#include <climits>

class QLineEdit;
class QToolButton;

// Up and down arrows attached to a number edit (the buddy): the arrows, and
// the Up and Down keys in the edit, step the edit's number by one within
// the control's range and wrap from one end to the other. An edit that
// holds no number steps from the last value the control set.
class CUpDownCtrl : public QWidget {
    Q_OBJECT

public:
    explicit CUpDownCtrl(QWidget* parent = nullptr);

    // Attaches to `buddy` and takes the right end of it.
    void SetBuddy(QLineEdit* buddy);
    QLineEdit* Buddy() const { return buddy_; }

    void SetRange(int minimum, int maximum);
    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }

    // Steps the buddy's number by `delta` (+1 up, -1 down).
    void Step(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* buddy_ = nullptr;
    QToolButton* up_;
    QToolButton* down_;
    int minimum_ = 0;
    int maximum_ = INT_MAX;
    int position_ = 0;
};
