#pragma once

#include "platformexport/ExportBytes.h"
#include "platformexport/ExportFormat.h"

#include <QByteArray>
#include <QString>

#include <functional>

struct ExportSet;

// Writes the prints to a file in one of the export formats. No office, no
// display: the formats are written here. The file appears whole or not at
// all (written beside it and renamed into place); a file that was there
// keeps its permissions when replaced.
class PrintExporter {
public:
    // The file's bytes in `format`; empty, with the reason, on failure.
    static ExportBytes Render(const ExportSet& set, ExportFormat::Kind format, QString* error);

    // Asked just before the file takes its place; true cancels the export
    // and leaves nothing behind.
    using CancelCheck = std::function<bool()>;
    enum Result { kWritten, kFailed, kCancelled };
    // Writes `set` to `path` in the format its extension names. On failure
    // the reason is in `error` and the file at `path`, if any, is as it was.
    static Result Export(const ExportSet& set, const QString& path, QString* error, const CancelCheck& cancelled = {});
};
