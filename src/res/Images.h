#pragma once

#include <QIcon>
#include <QPixmap>

// The program's icons and the check images of the lists, drawn from the
// SVG sources in res/images at the size asked for.
namespace Res {

// Check images of the lists (IDB_CHECKS), by index: not ticked, ticked,
// partly ticked, then the same three greyed for rows that cannot be ticked.
inline constexpr int CheckImageSize = 16;
inline constexpr int CheckImageCount = 6;
inline constexpr int CheckImageGreyed = 3; // added to a state for the greyed image

// Check image `index` (0 .. CheckImageCount - 1) of CheckImageSize square
// logical pixels at `devicePixelRatio`; a null pixmap for another index.
QPixmap CheckImage(int index, qreal devicePixelRatio = 1.0);

// The program's icon (IDI_APP), for windows and the About dialog.
QIcon AppIcon();

// The icon of the "apply to all rows" button (IDI_APPLY_ALL).
QIcon ApplyAllIcon();

} // namespace Res
