#pragma once

#include "bookimport/Problems.h"

#include <QString>

// Checks the size an ODS or XLSX file declares for its sheets against the
// bounds of an import (SheetLimits) from the file itself, before the office
// opens it: a few hundred bytes of zipped XML can declare a row repeated a
// million times over a thousand columns, which the office would build in
// full. The entries are inflated a block at a time and read as a stream,
// never held whole, and no more than the file-size bound is inflated.
//
// ODS: the rows and cells of every table, with their repeat counts; a cell
// counts when it holds a value or text. XLSX: every worksheet's declared
// dimension and the places of the cells that hold a value, and the length
// of the shared texts. A file that is not a zip archive (XLS) is left to
// the office.
class SpreadsheetBounds {
public:
    // False, with the bound named in `problems`, when a sheet goes past one
    // or the file cannot be read through.
    static bool Check(const QString& path, Problems& problems);
};
