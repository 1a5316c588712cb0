#pragma once

#include "bookimport/Problems.h"

#include <QString>

// Writes any book database as a question sheet (CSV in UTF-8 with a
// byte-order mark, so that spreadsheet programs open it as such) that
// carries the whole book, so that a teacher can start from a book, edit it
// and import it back: a row per sub-question in book order; the contents
// as deep as the book goes (章, 節, 項, 階層4 …), an entry without keywords
// as a row of headings alone; every attribute class as a column; the book's
// and each format's settings on their first row. Texts follow the sheet's
// text rules (SheetText).
//
// The sheet is read back as an import would read it and compared with the
// book; what it would not bring back is named, and the export fails unless
// `lossy` lets it go.
class BookExporter {
public:
    // False, with the problems, when the book cannot be read, the sheet not
    // written, or (unless `lossy`) not all of the book carried; an existing
    // sheet is replaced only when `force`.
    static bool Export(
        const QString& bookPath, const QString& sheetPath, bool force, Problems& problems, bool lossy = false);
};
