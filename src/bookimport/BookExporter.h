#pragma once

#include "bookimport/Problems.h"

#include <QString>

// Writes any book database as a question sheet (CSV in UTF-8 with a
// byte-order mark, so that spreadsheet programs open it as such), one row
// per sub-question in book order, so that a teacher can start from a book,
// edit it and import it back. The contents become 章 and 節: the entry a
// keyword is related to, deepest first, and its parent.
class BookExporter {
public:
    // False, with the problems, when the book cannot be read or the sheet
    // not written; an existing sheet is replaced only when `force`.
    static bool Export(const QString& bookPath, const QString& sheetPath, bool force, Problems& problems);
    // The sheet's header for a book of `type`.
    static QStringList Columns(const QString& type, bool problemNumbers, bool partsOfSpeech);
};
