#pragma once

#include "bookimport/BookDraft.h"
#include "bookimport/Problems.h"
#include "automation/Sheet.h"

#include <optional>

class BookWriter;

// Turns the rows of a sheet of one shape into a book draft, its sentences
// into `writer` when there is one. No value when the sheet has errors
// (they are in `problems`); warnings do not stop it.
class SheetConverter {
public:
    virtual ~SheetConverter() = default;
    virtual std::optional<BookDraft> Convert(const Sheet& sheet, const QString& type, const QString& title,
        Problems& problems, BookWriter* writer = nullptr) const = 0;
};
