#pragma once
// Face name of the private font that carries the book content's special
// glyphs at the code positions of rarely used kanji. Compared exactly and
// case-sensitively; every place that asks for or selects the font uses this.
#include <QStringView>

inline constexpr QStringView GaijiFaceName = u"Morvane Gaiji";
