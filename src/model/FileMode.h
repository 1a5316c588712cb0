#pragma once

#include <QString>

#include <sys/types.h>

// The permissions a file the program writes is to have: those of the file
// it replaces, or, for a new file, what the process's umask lets through
// of read and write for all (as any program that creates a file gives).
class FileMode {
public:
    static mode_t For(const QString& target);
    // Gives `path` the mode `target` is to have; false when it cannot.
    static bool Apply(const QString& path, const QString& target);
    // The process's umask, read without changing it (other threads may be
    // making files meanwhile).
    static mode_t Umask();
};
