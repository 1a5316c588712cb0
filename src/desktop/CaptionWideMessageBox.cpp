#include "desktop/CaptionWideMessageBox.h"

#include <QEvent>
#include <QLayout>

void CaptionWideMessageBox::showEvent(QShowEvent* event)
{
    QMessageBox::showEvent(event);
    WidenForCaption();
}

bool CaptionWideMessageBox::event(QEvent* event)
{
    const bool handled = QMessageBox::event(event);
    if (event->type() == QEvent::LayoutRequest)
        WidenForCaption();
    return handled;
}

void CaptionWideMessageBox::WidenForCaption()
{
    if (width() >= m_captionWidth)
        return;
    const int height
        = layout() && layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(m_captionWidth) : this->height();
    setFixedSize(m_captionWidth, height);
}
