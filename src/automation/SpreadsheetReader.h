#pragma once

#include "automation/Sheet.h"

#include <QString>

// Reads the first sheet of a spreadsheet file (ODS, XLSX) into a sheet, the
// first non-empty row as its header. Implemented over the office.
class SpreadsheetReader {
public:
    virtual ~SpreadsheetReader() = default;
    // False, with the reason in the teacher's words in `error`, when the
    // file cannot be read.
    virtual bool Read(const QString& path, Sheet& sheet, QString& error) = 0;
};
