#pragma once

#include <QString>

class EscapeTable;
class Utf8Text;
struct ExportItem;
struct ExportPrint;

// The texts of one sub-question that every format shows alike.
class ItemText {
public:
    // "<print>-<n> <keyword>", n the sub-question's place in the print.
    static QString Name(const ExportPrint& print, const ExportItem& item);
    static void AppendName(Utf8Text& out, const ExportPrint& print, const ExportItem& item, const EscapeTable& escapes);
    // The format's instruction and the sentence, each a paragraph of HTML,
    // appended as text of `document`'s format.
    static void AppendQuestionHtml(Utf8Text& out, const ExportItem& item, const EscapeTable& document);
    // The answer as printed, in HTML.
    static void AppendAnswerHtml(Utf8Text& out, const ExportItem& item, const EscapeTable& document);
};
