// The program's style reads the menu bar's extension icon only when it is
// drawn; drawn, it is the desktop style's icon, and every other icon is
// the desktop style's as it was.
#include "app/DeferredExtensionIconStyle.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QMenuBar>
#include <QStyleFactory>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

QImage Drawn(const QIcon& icon, int size)
{
    return icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

TEST(DeferredExtensionIconStyleTest, IconsDrawAsTheDesktopStyleDrawsThem)
{
    auto* style = new DeferredExtensionIconStyle;
    QStyle* base = style->baseStyle();
    for (const QStyle::StandardPixmap icon : {QStyle::SP_ToolBarHorizontalExtensionButton,
             QStyle::SP_ToolBarVerticalExtensionButton, QStyle::SP_MessageBoxWarning, QStyle::SP_DialogCancelButton}) {
        const QIcon ours = style->standardIcon(icon);
        const QIcon copy = ours; // a copy reads the same file once for both
        EXPECT_FALSE(ours.isNull()) << icon;
        for (int size : {8, 16, 32}) {
            const QImage expected = Drawn(base->standardIcon(icon), size);
            EXPECT_FALSE(expected.isNull());
            EXPECT_EQ(Drawn(copy, size), expected) << icon << " at " << size;
            EXPECT_EQ(Drawn(ours, size), expected) << icon << " at " << size;
        }
    }

    delete style;
}

TEST(DeferredExtensionIconStyleTest, AMenuBarsExtensionButtonHasTheDesktopStylesIcon)
{
    const QString desktopStyle = QApplication::style()->name();
    QApplication::setStyle(new DeferredExtensionIconStyle);
    QImage shown;
    QImage expected;
    {
        QMenuBar bar;
        const auto* button = bar.findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
        ASSERT_NE(button, nullptr);
        shown = Drawn(button->icon(), 16);
        const std::unique_ptr<QStyle> plain(QStyleFactory::create(desktopStyle));
        expected = Drawn(plain->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton), 16);
    }
    QApplication::setStyle(desktopStyle);
    EXPECT_FALSE(expected.isNull());
    EXPECT_EQ(shown, expected);
}
