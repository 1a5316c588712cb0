#include "app/DeferredExtensionIconStyle.h"

#include "app/DeferredIconEngine.h"

#include <QPointer>

DeferredExtensionIconStyle::DeferredExtensionIconStyle() = default;

bool DeferredExtensionIconStyle::IsDeferred(StandardPixmap icon)
{
    return icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton;
}

QIcon DeferredExtensionIconStyle::standardIcon(
    StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    if (!IsDeferred(icon))
        return QProxyStyle::standardIcon(icon, option, widget);
    // The option does not outlive this call and the widget may be gone when
    // the icon is read: the base style is asked without them, as these icons
    // depend on neither.
    QPointer<QStyle> base(baseStyle());
    return QIcon(new DeferredIconEngine([base, icon] { return base ? base->standardIcon(icon) : QIcon(); }));
}
