#include "bookimport/SheetColumns.h"

SheetColumns::SheetColumns(
    const SheetRow& header, const QStringList& known, const QStringList& required, Problems& problems)
{
    for (int column = 0; column < header.cells.size(); ++column) {
        const QString name = header.cells[column];
        if (name.isEmpty())
            continue;
        if (!known.contains(name)) {
            problems.Warning(header.row, column + 1, QStringLiteral("列「%1」は使わないので読み飛ばします").arg(name));
            continue;
        }
        if (m_index.contains(name)) {
            problems.Error(header.row, column + 1,
                QStringLiteral("列「%1」が二つあります（%2 列目にもあります）").arg(name).arg(m_index[name] + 1));
            continue;
        }
        m_index.insert(name, column);
    }
    for (const QString& name : required) {
        if (!m_index.contains(name))
            problems.Error(header.row, 0, QStringLiteral("必要な列「%1」が見出し行にありません").arg(name));
    }
}
