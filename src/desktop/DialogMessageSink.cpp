#include "desktop/DialogMessageSink.h"

#include "desktop/CaptionWideMessageBox.h"
#include "desktop/TitleBar.h"

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Error: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

bool DialogMessageSink::Show(const MessageRequest& request)
{
    const QMessageBox::StandardButtons buttons = request.buttons == MessageButtons::OkCancel
        ? QMessageBox::Ok | QMessageBox::Cancel
        : QMessageBox::StandardButtons(QMessageBox::Ok);
    CaptionWideMessageBox box(BoxIcon(request.icon), request.caption, request.text, buttons);
    box.setDefaultButton(QMessageBox::Ok);
    box.SetCaptionWidth(TitleBarWidth(box.fontMetrics(), request.caption));
    if (request.buttons == MessageButtons::OkCancel)
        box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}
