#pragma once

#include "bookimport/SheetConverter.h"

#include <QStringList>

// A word list (book type 101): one headword per row with its meaning and,
// optionally, an example sentence and its translation. Each row gives the
// formats 日本語→英語 and 英語→日本語 and, with an example that holds the
// headword, 空所補充.
class WordListConverter : public SheetConverter {
public:
    std::optional<BookDraft> Convert(const Sheet& sheet, const QString& type, const QString& title, Problems& problems,
        BookWriter* writer = nullptr) const override;

    static QStringList KnownColumns();
    static QStringList RequiredColumns();
};
