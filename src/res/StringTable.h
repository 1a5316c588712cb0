#pragma once

#include <QString>

// The program's string table: every user-visible text by its numeric id.
namespace Res {

// The text of string `id`; an empty text when the table has no such id.
QString String(int id);

// Whether the table holds `id`.
bool HasString(int id);

} // namespace Res
