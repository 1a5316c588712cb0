#pragma once

#include "bookimport/Problems.h"
#include "automation/Sheet.h"

#include <QByteArray>

// Reads the text Quizlet gives to copy: a term and its definition a row,
// split at the first tab (or, when not every row holds a tab, the first
// comma), the rows one a line or separated by ";". Nothing is quoted, so a
// definition keeps any later commas. The term becomes 見出し語, the
// definition 意味.
class QuizletTextReader {
public:
    // Whether every row of the text is a term and a definition.
    static bool Fits(const QByteArray& utf8);
    static bool Read(const QByteArray& utf8, Sheet& sheet, Problems& problems);
};
