#include "ui/ColumnMappingTable.h"

#include "bookimport/ColumnRoles.h"
#include "automation/Sheet.h"
#include "res/UiText.h"

#include <QComboBox>
#include <QHeaderView>
#include <QSignalBlocker>

#include <algorithm>

namespace {

enum Part { kColumn, kSample, kRole };

} // namespace

ColumnMappingTable::ColumnMappingTable(QWidget* parent)
    : QTableWidget(0, 3, parent)
{
    setHorizontalHeaderLabels(
        {Res::Text::ImportMappingColumn, Res::Text::ImportMappingSample, Res::Text::ImportMappingRole});
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(kSample, QHeaderView::Stretch);
}

void ColumnMappingTable::SetColumns(const Sheet& sheet)
{
    const QStringList roles = ColumnRoles::Fitted(sheet, sheet.roles);
    if (sheet.header.cells == m_labels) {
        ShowRoles(roles);
        return;
    }
    m_labels = sheet.header.cells;
    setRowCount(0);
    setRowCount(static_cast<int>(m_labels.size()));
    for (int c = 0; c < m_labels.size(); ++c) {
        setItem(c, kColumn, new QTableWidgetItem(QStringLiteral("%1 列目「%2」").arg(c + 1).arg(m_labels[c])));
        const QString sample = sheet.rows.empty() ? QString() : sheet.rows.front().Cell(c);
        setItem(c, kSample, new QTableWidgetItem(QString(sample).replace(u'\n', u' ')));
        auto* role = new QComboBox(this);
        role->setObjectName(QStringLiteral("role%1").arg(c + 1));
        role->addItem(Res::Text::ImportRoleNone, QString());
        for (const QString& choice : ColumnRoles::Choices())
            role->addItem(choice, choice);
        setCellWidget(c, kRole, role);
        connect(role, &QComboBox::currentIndexChanged, this, &ColumnMappingTable::RolesChanged);
    }
    ShowRoles(roles);
    resizeColumnToContents(kColumn);
}

QStringList ColumnMappingTable::Roles() const
{
    QStringList roles;
    for (int c = 0; c < rowCount(); ++c)
        roles.append(static_cast<QComboBox*>(cellWidget(c, kRole))->currentData().toString());
    return roles;
}

void ColumnMappingTable::ShowRoles(const QStringList& roles)
{
    for (int c = 0; c < rowCount(); ++c) {
        auto* role = static_cast<QComboBox*>(cellWidget(c, kRole));
        const QSignalBlocker blocker(role);
        role->setCurrentIndex(std::max(0, role->findData(roles.value(c))));
    }
}
