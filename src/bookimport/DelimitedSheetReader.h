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
    // The bytes of a file, or false with the reason in `problems`.
    static bool ReadFile(const QString& path, QByteArray& bytes, Problems& problems);
    // The same as Read for bytes already read; `name` is the file's name.
    static bool Parse(const QByteArray& bytes, const QString& name, Sheet& sheet, Problems& problems);
    // The same for text already decoded to UTF-8.
    static bool ParseText(const QByteArray& utf8, const QString& name, Sheet& sheet, Problems& problems);
    // The records of UTF-8 text split at `delimiter` with CSV quoting, each
    // numbered by the line it starts on, the first line being `firstLine`;
    // rows that hold nothing are left out.
    static bool ParseRecords(
        const QByteArray& utf8, char delimiter, int firstLine, SheetRows& rows, Problems& problems);
    static char DelimiterFor(const QString& name, const QByteArray& utf8);
    // The text without the ASCII blanks (space, tab) at its ends.
    static QString TrimBlanks(const QString& text);
};
