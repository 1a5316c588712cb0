#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// One row of an input sheet: its cells and the row number a teacher sees
// (the line where the record starts in a text file, the spreadsheet row).
struct SheetRow {
    int row = 0;
    QStringList cells;

    // The cell at a 0-based column; empty past the end of a short row.
    QString Cell(int column) const { return column >= 0 && column < cells.size() ? cells[column] : QString(); }
};

// A table read from a file: the first non-empty row is the header. A
// flashcard file has no header row of our column names: its header holds
// the names of its own columns (row 0 when the file names none) and
// `roles` what each column becomes.
struct Sheet {
    QString file;
    SheetRow header;
    std::vector<SheetRow> rows;
    QString encoding;  // how the text was read, for the preview
    QString format;    // the shape read (SourceFormat)
    QStringList roles; // per column: a column name of ours, or empty for none
};
