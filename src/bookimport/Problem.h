#pragma once

#include <QString>

// One thing wrong with an input sheet or a book: where it is (the file,
// the 1-based row and column; 0 where it concerns the whole file or row)
// and what it is, in the teacher's words.
struct Problem {
    enum class Severity {
        Error,   // nothing is written
        Warning, // the book is made; the teacher should know
    };

    Severity severity = Severity::Error;
    QString file;
    int row = 0;
    int column = 0;
    QString message;

    bool IsError() const { return severity == Severity::Error; }
    // "FILE:ROW:COLUMN: message", warnings marked as such.
    QString Text() const;
};
