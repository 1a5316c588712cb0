#pragma once

#include <QWidget>

// A page of a dialog, shown inside the dialog (on a tab). Enter and Esc
// pressed inside the page stay in it: they neither press the dialog's
// default button nor close the dialog.
class DialogPage : public QWidget {
    Q_OBJECT

public:
    explicit DialogPage(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
