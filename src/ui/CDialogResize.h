#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <vector>

class QWidget;

// Keeps the controls of a dialog (or of a dialog page) anchored while it is
// resized: each registered control moves right or down, and grows in width
// or height, by as much as the dialog has grown since Init. A top-level
// dialog can be kept from getting smaller than its size at Init.
class CDialogResize : public QObject {
public:
    enum Anchor : int {
        MoveX = 1,
        MoveY = 2,
        SizeX = 4,
        SizeY = 8,
    };

    explicit CDialogResize(QWidget* dialog);

    void Add(QWidget* control, int anchors);

    // Takes the present geometry of the dialog and of its registered
    // controls as the layout to resize from; with `keepMinimum` the dialog
    // cannot be made smaller than it is now.
    void Init(bool keepMinimum);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Item {
        QPointer<QWidget> control;
        int anchors;
        QRect initial;
    };

    void Apply();

    QWidget* dialog_;
    QSize initialSize_;
    std::vector<Item> items_;
    bool initialised_ = false;
};
