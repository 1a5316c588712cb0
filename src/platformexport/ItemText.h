#pragma once

#include <QString>

struct ExportItem;
struct ExportPrint;

// The texts of one sub-question that every format shows alike.
class ItemText {
public:
    // "<print>-<n> <keyword>", n the sub-question's place in the print.
    static QString Name(const ExportPrint& print, const ExportItem& item);
    // The format's instruction and the sentence, each a paragraph of HTML.
    static QString QuestionHtml(const ExportItem& item);
    // The answer as printed, in HTML.
    static QString AnswerHtml(const ExportItem& item);
};
