#include "res/StringTable.h"

#include <QHash>

namespace Res {
namespace {

const QHash<int, QString>& Table()
{
    static const QHash<int, QString> table = {
        {501, QStringLiteral("テスト作成システム")},
    };
    return table;
}

} // namespace

QString String(int id)
{
    return Table().value(id);
}

bool HasString(int id)
{
    return Table().contains(id);
}

} // namespace Res
