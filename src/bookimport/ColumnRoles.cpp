#include "bookimport/ColumnRoles.h"

#include "bookimport/WordListConverter.h"

QStringList ColumnRoles::Choices()
{
    return WordListConverter::KnownColumns();
}

QStringList ColumnRoles::Fitted(const Sheet& sheet, const QStringList& roles)
{
    QStringList fitted = roles.mid(0, sheet.header.cells.size());
    while (fitted.size() < sheet.header.cells.size())
        fitted.append(QString());
    return fitted;
}

bool ColumnRoles::Check(const Sheet& sheet, const QStringList& roles, Problems& problems)
{
    const QStringList choices = Choices();
    bool ok = true;
    for (qsizetype c = 0; c < roles.size(); ++c) {
        const QString& role = roles[c];
        if (role.isEmpty())
            continue;
        const int column = static_cast<int>(c + 1);
        if (!choices.contains(role)) {
            problems.Error(sheet.header.row, column, QStringLiteral("「%1」という列にはできません").arg(role));
            ok = false;
        } else if (roles.indexOf(role) < c) {
            problems.Error(sheet.header.row, column,
                QStringLiteral("「%1」にする列が二つあります（%2 列目にもあります）")
                    .arg(role)
                    .arg(roles.indexOf(role) + 1));
            ok = false;
        }
    }
    for (const QString& role : WordListConverter::RequiredColumns()) {
        if (!roles.contains(role)) {
            problems.Error(sheet.header.row, 0, QStringLiteral("「%1」にする列がありません").arg(role));
            ok = false;
        }
    }
    return ok;
}

QString ColumnRoles::Describe(const Sheet& sheet, const QStringList& roles)
{
    QStringList parts;
    for (qsizetype c = 0; c < roles.size(); ++c) {
        if (!roles[c].isEmpty())
            parts.append(QStringLiteral("%1 列目「%2」→%3").arg(c + 1).arg(sheet.header.cells.value(c), roles[c]));
    }
    return parts.join(QStringLiteral("、"));
}
