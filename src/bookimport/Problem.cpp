#include "bookimport/Problem.h"

QString Problem::Text() const
{
    const QString kind = IsError() ? QStringLiteral("エラー: ") : QStringLiteral("警告: ");
    return QStringLiteral("%1:%2:%3: %4%5").arg(file).arg(row).arg(column).arg(kind, message);
}
