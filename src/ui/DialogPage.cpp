#include "ui/DialogPage.h"

#include <QKeyEvent>

DialogPage::DialogPage(QWidget* parent)
    : QWidget(parent)
{
}

void DialogPage::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: event->accept(); return;
    default: QWidget::keyPressEvent(event);
    }
}
