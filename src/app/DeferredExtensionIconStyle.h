#pragma once

#include <QProxyStyle>

// The desktop's style, except that the icons of the extension buttons of
// menu and tool bars (shown only when a bar is too narrow for its items)
// are read when first drawn. Every menu bar makes its extension button at
// once, and reading that icon loads all image-format plugins: a cost paid
// before the main window can appear, for a button hardly ever seen.
class DeferredExtensionIconStyle : public QProxyStyle {
public:
    DeferredExtensionIconStyle();

    QIcon standardIcon(
        StandardPixmap icon, const QStyleOption* option = nullptr, const QWidget* widget = nullptr) const override;

    // Whether `icon` is one this style reads late.
    static bool IsDeferred(StandardPixmap icon);
};
