#pragma once

#include "bookimport/Problems.h"
#include "bookimport/SheetColumns.h"

#include <optional>

// Reads the named cells of one row, recording a problem for an empty
// required cell, a number that is not an integer, and a text whose "<"
// had to be made a character (SheetText). Every cell is read without the
// formula guard of the sheets the program writes.
class RowCells {
public:
    RowCells(const SheetRows::Row& row, const SheetColumns& columns, Problems& problems);

    // A plain cell (headings, keys), as written.
    QString Plain(const QString& name) const;
    // A required plain cell; empty (and an error) when it is empty.
    QString RequiredPlain(const QString& name);
    // A text cell in the sheet's text rules, as the book's marked-up text.
    QString Text(const QString& name);
    QString RequiredText(const QString& name);
    // An integer cell: no value when empty; an error when not an integer.
    std::optional<int> Number(const QString& name);
    // An integer cell that must be one of `allowed` when given.
    std::optional<int> Choice(const QString& name, std::initializer_list<int> allowed);

    int Row() const { return m_number; }
    bool Failed() const { return m_failed; }

    // Parses a whole cell as an integer; full-width digits and signs count.
    static std::optional<int> ParseInteger(const QString& text);

private:
    void Require(const QString& name, const QString& value);

    SheetRows::Row m_row;
    int m_number;
    const SheetColumns& m_columns;
    Problems& m_problems;
    bool m_failed = false;
};
