#pragma once

#include "platformexport/ExportBytes.h"

#include <QByteArray>

struct ExportSet;

// The prints as Moodle XML for a question bank: one category per print
// ("$course$/<book title>/<print name>") with a short-answer question per
// sub-question, named "<print>-<n> <keyword>" (n its place in the print),
// its text in HTML (the format's instruction, then the sentence), and one
// accepted answer at 100 % per form AnswerNormalizer accepts. The answer
// as printed is the general feedback.
class MoodleXmlWriter {
public:
    static ExportBytes Write(const ExportSet& set);
    // Moodle's short-answer matching takes "*" as a wildcard.
    static QString EscapeWildcard(const QString& answer);
    // A category name inside a category path ("/" is doubled there).
    static QString CategoryName(const QString& name);
};
