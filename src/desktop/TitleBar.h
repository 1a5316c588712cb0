#pragma once

#include <QFontMetrics>
#include <QString>

// The width a window needs for its whole caption in the window manager's
// title bar: the caption's text (drawn by the window manager, often in a
// bold face) with room for the window's icon and its buttons.
int TitleBarWidth(const QFontMetrics& metrics, const QString& caption);
