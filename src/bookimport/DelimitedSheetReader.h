#pragma once

#include "bookimport/Problems.h"
#include "automation/Sheet.h"

#include <QByteArray>
#include <QString>

// Reads a CSV or TSV file (RFC 4180 quoting: fields with delimiters,
// doubled quotes and line breaks) into a sheet with Debian's libcsv. The
// encoding is found by TextDecoder; the delimiter is a tab for ".tsv" and
// ".tab" files and a comma otherwise, unless the first line holds tabs and
// no commas. Rows that hold nothing are skipped; ASCII blanks around a
// cell are dropped (the ideographic space is content).
class DelimitedSheetReader {
public:
    // False, with the reason in `problems`, when the file cannot be read.
    static bool Read(const QString& path, Sheet& sheet, Problems& problems);
    // The same for bytes already read; `name` is the file's name.
    static bool Parse(const QByteArray& bytes, const QString& name, Sheet& sheet, Problems& problems);
    static char DelimiterFor(const QString& name, const QByteArray& utf8);
};
