#pragma once

#include "bookimport/BookDraft.h"
#include "bookimport/BookWriter.h"
#include "bookimport/ImportRequest.h"
#include "bookimport/Problems.h"
#include "automation/Sheet.h"

#include <optional>

class SpreadsheetReader;

// Makes a book database from a word list or a question sheet: reads the
// file (CSV/TSV itself, ODS/XLSX through a spreadsheet reader, or the text
// of a flashcard program: Anki, Quizlet, Mnemosyne), checks every row, and
// writes the book only when no row has an error.
class BookImporter {
public:
    // `spreadsheets` reads ODS and XLSX files; without one the default
    // reader does (SpreadsheetReaders), and without that they are refused.
    explicit BookImporter(SpreadsheetReader* spreadsheets = nullptr);

    // Reads the input into `sheet` and turns it into a draft, writing
    // nothing: the preview of the window and the first half of Import.
    std::optional<BookDraft> Prepare(const ImportRequest& request, Sheet& sheet, Problems& problems);
    // Prepare, then write. The path written, or empty on failure.
    QString Import(const ImportRequest& request, Problems& problems, BookWriter::Progress progress = nullptr);

    static bool IsSpreadsheet(const QString& path);
    static bool IsKnownType(const QString& type);
    static QString TitleFor(const ImportRequest& request);
    // Where the book goes: the request's output, or "<title>_main.db" in
    // the teacher's book folder.
    static QString OutputFor(const ImportRequest& request);
    // A file name for a title: characters a file name cannot hold replaced.
    static QString FileNameFor(const QString& title);

private:
    bool ReadSheet(const ImportRequest& request, Sheet& sheet, Problems& problems);
    // A text file of the shape `from`, or of the shape its text shows.
    static bool ReadText(
        const QString& from, const QByteArray& utf8, const QString& path, Sheet& sheet, Problems& problems);
    static std::optional<BookDraft> ConvertFlashcards(
        const ImportRequest& request, const QString& type, Sheet& sheet, Problems& problems, BookWriter* writer);
    // Prepare, the sentences going to `writer` when there is one.
    std::optional<BookDraft> Make(const ImportRequest& request, Sheet& sheet, Problems& problems, BookWriter* writer);

    SpreadsheetReader* m_spreadsheets;
};
