#pragma once

#include <QStringList>
#include <QTableWidget>

struct Sheet;

// The mapping step of a flashcard file's import: a row for each column of
// the file, with its name, its first value and what it becomes (one of the
// word list's columns, or nothing), which the teacher may change. Two
// columns given one role are left as chosen (the import names them), so
// that stepping through a list with the keyboard changes no other column.
class ColumnMappingTable : public QTableWidget {
    Q_OBJECT

public:
    explicit ColumnMappingTable(QWidget* parent = nullptr);

    // Shows the columns of `sheet` with its roles. A sheet with the same
    // columns as before keeps the table's widgets and only shows the roles.
    void SetColumns(const Sheet& sheet);
    QStringList Roles() const;

Q_SIGNALS:
    // The teacher changed a role.
    void RolesChanged();

private:
    void ShowRoles(const QStringList& roles);

    QStringList m_labels;
};
