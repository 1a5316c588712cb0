#pragma once

#include "bookimport/Problems.h"
#include "automation/Sheet.h"

#include <QHash>
#include <QString>
#include <QStringList>

// Finds the named columns of a sheet's header, in any order. An unknown
// column is a warning and is ignored; a required column that is missing,
// and a column named twice, are errors.
class SheetColumns {
public:
    SheetColumns(const SheetRow& header, const QStringList& known, const QStringList& required, Problems& problems);

    bool Has(const QString& name) const { return m_index.contains(name); }
    // 0-based column, or -1 when the sheet has none of that name.
    int Index(const QString& name) const { return m_index.value(name, -1); }
    // The cell of the named column in `row`; empty when absent.
    QString Cell(const SheetRows::Row& row, const QString& name) const { return row.Cell(Index(name)); }
    // 1-based column number for messages; 0 when absent.
    int Number(const QString& name) const { return Index(name) + 1; }

private:
    QHash<QString, int> m_index;
};
