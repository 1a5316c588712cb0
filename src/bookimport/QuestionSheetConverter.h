#pragma once

#include "bookimport/SheetConverter.h"

#include <QStringList>

// A question sheet (any book type): one sub-question per row with its
// format, headword (the key kanji of a kanji book), question and answer.
// Formats come in order of first appearance; rows share a keyword by
// number, or by headword when they have none.
class QuestionSheetConverter : public SheetConverter {
public:
    std::optional<BookDraft> Convert(
        const Sheet& sheet, const QString& type, const QString& title, Problems& problems) const override;

    static QStringList KnownColumns();
    static QStringList RequiredColumns();
    // Texts of a format whose rows give none.
    static QString DefaultInstruction();
    static QString DefaultAnswerField();
};
