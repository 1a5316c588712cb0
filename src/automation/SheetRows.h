#pragma once

#include "automation/SheetRow.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <vector>

// The data rows of a sheet, kept compact: a million rows of small cells as
// a QString each would take gigabytes, so every cell is kept as UTF-8 in
// one buffer, after its length, and becomes a QString only when read.
class SheetRows {
public:
    // A row of the store: its number and its cells, each read when asked.
    class Row {
    public:
        // The row number a teacher sees.
        int Number() const { return m_rows->m_rows[m_index].number; }
        int Size() const { return m_rows->m_rows[m_index].cells; }
        // The cell at a 0-based column; empty past the end of the row.
        QString Cell(int column) const;
        // Every cell of the row.
        SheetRow Whole() const;

    private:
        friend class SheetRows;
        friend class const_iterator;
        Row(const SheetRows* rows, std::size_t index)
            : m_rows(rows)
            , m_index(index)
        {
        }

        const SheetRows* m_rows;
        std::size_t m_index;
    };

    class const_iterator {
    public:
        Row operator*() const { return m_row; }
        const_iterator& operator++()
        {
            ++m_row.m_index;
            return *this;
        }
        bool operator==(const const_iterator& other) const { return m_row.m_index == other.m_row.m_index; }

    private:
        friend class SheetRows;
        explicit const_iterator(Row row)
            : m_row(row)
        {
        }

        Row m_row;
    };

    std::size_t size() const { return m_rows.size(); }
    bool empty() const { return m_rows.empty(); }
    Row operator[](std::size_t index) const { return Row(this, index); }
    Row front() const { return Row(this, 0); }
    const_iterator begin() const { return const_iterator(Row(this, 0)); }
    const_iterator end() const { return const_iterator(Row(this, m_rows.size())); }

    // Adds a whole row as it is.
    void push_back(const SheetRow& row);
    // Adds a row a cell at a time: BeginRow, AddCell for each cell, EndRow.
    void BeginRow(int number);
    void AddCell(QByteArrayView utf8);
    // The cells added to the row begun so far.
    int CellsInRow() const { return m_rows.empty() ? 0 : m_rows.back().cells; }
    // Ends the row begun, without its empty cells at the end; a row left
    // with no cell is dropped.
    void EndRow();
    // Leaves the first `count` rows.
    void Truncate(std::size_t count);
    void RemoveFirst();
    // The buffer grown a cell at a time holds spare room: give it back.
    void Squeeze();

private:
    struct Entry {
        qsizetype offset = 0; // of the row's first cell in m_text
        int number = 0;
        int cells = 0;
    };

    void AppendLength(quint32 length);

    QByteArray m_text; // each cell: its length in bytes (7 bits a byte, low first), then its UTF-8
    std::vector<Entry> m_rows;
    qsizetype m_rowEnd = 0; // of the row begun, after its last cell that is not empty
    int m_rowCells = 0;     // its cells up to that one
};
