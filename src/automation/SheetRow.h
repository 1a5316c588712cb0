#pragma once

#include <QString>
#include <QStringList>

// One row of an input sheet: its cells and the row number a teacher sees
// (the line where the record starts in a text file, the spreadsheet row).
struct SheetRow {
    int row = 0;
    QStringList cells;

    // The cell at a 0-based column; empty past the end of a short row.
    QString Cell(int column) const { return column >= 0 && column < cells.size() ? cells[column] : QString(); }
};
