#pragma once

#include <QList>
#include <QString>

// The program's string table: every user-visible text by its numeric id.
// The ids have names in res/ResourceIds.h (IDS_...).
namespace Res {

// The text of string `id`; an empty text when the table has no such id.
QString String(int id);

// Whether the table holds `id`.
bool HasString(int id);

// Every id of the table, in ascending order.
QList<int> StringIds();

} // namespace Res
