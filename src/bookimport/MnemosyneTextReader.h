#pragma once

#include "bookimport/Problems.h"
#include "automation/Sheet.h"

#include <QByteArray>

// Reads Mnemosyne's tab-separated cards: a card a line, its fields split
// at every tab (nothing is quoted) and written in HTML. Two fields are a
// question and its answer; three or four a word, its pronunciation, its
// meaning and notes. The word (or question) becomes 見出し語 and the
// meaning (or answer) 意味.
class MnemosyneTextReader {
public:
    // Whether every line is a card of two to four fields and the file
    // shows it is Mnemosyne's: a card of three or four fields, or HTML.
    static bool Fits(const QByteArray& utf8);
    static bool Read(const QByteArray& utf8, Sheet& sheet, Problems& problems);
};
