#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A book's marked-up text and the cell of a sheet (CSV, spreadsheet), each
// way, so that a book written out as a sheet and read back keeps every text:
//
//   book text                  sheet cell
//   "@" (line-break mark)  <-> a line break inside the cell
//   "<A=>" (prints "@")    <-> "@"
//   "＠" (line-break mark)  <-> "＠"
//   "<G=…>" "<S=…>" "<A=…>" "<L=…>" pass as they are
//   "＜…＞"                  <-  "<…>" of no kind the program knows
//   "＜"                     <-  "<" that no ">" closes
//
// and the formula guard of every CSV the program writes: a cell that a
// spreadsheet would take for a formula (it begins with "=", "+", "-", "@",
// a tab or a carriage return, possibly after apostrophes) is written with
// one more leading "'", which spreadsheets show as text and reading takes
// off again.
class SheetText {
public:
    // What reading a cell changed beyond the sheet's own rules, for a note.
    struct Notes {
        bool unknownTag = false;  // "<…>" became "＜…＞"
        bool unclosedTag = false; // "<" became "＜"
    };

    // The book text of a cell (after `Unguard`).
    static QString FromCell(const QString& cell, Notes* notes = nullptr);
    // The cell of a book text (before `Guard`).
    static QString ToCell(const QString& text);
    // Whether a book text comes back unchanged from its cell.
    static bool Carries(const QString& text);

    // Whether `Guard` adds an apostrophe.
    static bool NeedsGuard(QStringView cell);
    static QString Guard(const QString& cell);
    static QString Unguard(const QString& cell);

    // One CSV record: every cell guarded and quoted, ended by CRLF.
    static QByteArray CsvRecord(const QStringList& cells);
};
