#pragma once

#include <QtGlobal>

// The largest sheet an import takes, so that no file can exhaust memory:
// each bound is well above a teacher's real lists and is refused with a
// message that names it.
class SheetLimits {
public:
    static constexpr int MaxRows = 1000000;
    static constexpr int MaxColumns = 64;
    static constexpr int MaxCellLength = 10000;
    static constexpr qint64 MaxFileBytes = 200LL * 1024 * 1024;
};
