#pragma once

#include "bookimport/Problems.h"
#include "automation/Sheet.h"

#include <QByteArray>

// Reads Anki's plain-text export of notes: "#key:value" lines first
// (separator, html, tags, columns, deck, and the columns that hold each
// note's deck, tags, note type and id), then a note a record, quoted as
// CSV. Without "#separator:" the first of tab, "|", ";", ":", "," and space
// that occurs in the notes separates their fields, as Anki does. Fields in
// HTML are turned into text and sound references dropped. The first two
// fields become 見出し語 and 意味 (or what "#columns:" names, when it names
// our columns); each note's deck, else its first tag, gives 章 and 節
// (DeckLevels), as columns added after the file's own.
class AnkiTextReader {
public:
    // Whether the text begins with Anki's header lines.
    static bool HasHeader(const QByteArray& utf8);
    static bool Read(const QByteArray& utf8, Sheet& sheet, Problems& problems);
};
