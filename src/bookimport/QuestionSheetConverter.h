#pragma once

#include "bookimport/SheetConverter.h"

#include <QStringList>

class RowCells;

// A question sheet (any book type): one sub-question per row with its
// format, headword (the key kanji of a kanji book), question and answer.
// Formats come in order of first appearance; rows share a keyword by
// number, or by headword when they have none. Contents headings go as deep
// as the sheet's heading columns (章, 節, 項, 階層4 …); a row with headings
// only is a contents entry without keywords. Any other column is an
// attribute class of its own. Written by BookExporter, it carries a whole
// book.
class QuestionSheetConverter : public SheetConverter {
public:
    std::optional<BookDraft> Convert(const Sheet& sheet, const QString& type, const QString& title, Problems& problems,
        BookWriter* writer = nullptr) const override;

    static QStringList KnownColumns();
    static QStringList RequiredColumns();
    // A row that gives only contents headings (and perhaps a page).
    static bool IsHeadingRow(const RowCells& cells);
    // Texts of a format whose rows give none.
    static QString DefaultInstruction();
    static QString DefaultAnswerField();
};
