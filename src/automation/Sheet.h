#pragma once

#include "automation/SheetRow.h"
#include "automation/SheetRows.h"

#include <QString>
#include <QStringList>

// A table read from a file: the first non-empty row is the header. A
// flashcard file has no header row of our column names: its header holds
// the names of its own columns (row 0 when the file names none) and
// `roles` what each column becomes.
struct Sheet {
    QString file;
    SheetRow header;
    SheetRows rows;
    QString encoding;  // how the text was read, for the preview
    QString format;    // the shape read (SourceFormat)
    QStringList roles; // per column: a column name of ours, or empty for none
};
