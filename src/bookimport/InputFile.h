#pragma once

#include "bookimport/Problems.h"

#include <QString>

// The files tavisko-book reads and writes, checked before they are opened.
class InputFile {
public:
    // A file to read must be an ordinary file: a FIFO or a device would
    // make the reading wait for ever (or never end). False, with the
    // problem, when it is not, or is not there.
    static bool CheckReadable(const QString& path, Problems& problems);
    // Whether something is at `path` that writing there would replace or
    // write through: a file, a folder, or a symbolic link, even one whose
    // target is missing.
    static bool Occupied(const QString& path);
};
