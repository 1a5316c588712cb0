#pragma once

#include <QList>
#include <QStringList>
#include <QString>

// The program's string table: every user-visible text by its numeric id.
// The ids have names in res/ResourceIds.h (IDS_...).
namespace Res {

// The text of string `id`; an empty text when the table has no such id.
QString String(int id);

// The text of string `id` with its "%s" filled in order by `texts` (for
// the layers below the windows, which have no printf-style formatting);
// a "%s" without a text is left empty.
QString Filled(int id, const QStringList& texts);

// Whether the table holds `id`.
bool HasString(int id);

// Every id of the table, in ascending order.
QList<int> StringIds();

} // namespace Res
