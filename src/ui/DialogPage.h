#pragma once

#include <QWidget>

// A page of a dialog, shown inside the dialog (on a tab). Enter pressed
// inside the page stays in it and does not press the dialog's default
// button; Esc goes on to the dialog, which closes as cancelled, as it
// does from any other control.
class DialogPage : public QWidget {
    Q_OBJECT

public:
    explicit DialogPage(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
