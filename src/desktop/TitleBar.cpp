#include "desktop/TitleBar.h"

namespace {

// The icon and the close button, and a bold face's wider letters.
constexpr int TitleBarRoom = 120;
constexpr int BoldPercent = 110;

} // namespace

int TitleBarWidth(const QFontMetrics& metrics, const QString& caption)
{
    return metrics.horizontalAdvance(caption) * BoldPercent / 100 + TitleBarRoom;
}
