#pragma once

#include "platformexport/ExportBytes.h"

#include <QByteArray>
#include <QString>

struct ExportSet;

// The prints in GIFT, the text format of Moodle's question import: the
// same categories, names, question texts (in HTML) and accepted answers as
// the Moodle XML export, and the answer as printed as general feedback.
class GiftWriter {
public:
    static ExportBytes Write(const ExportSet& set);
    // `text` with GIFT's special characters (~ = # { } : and the
    // backslash) escaped by a backslash and line breaks as "\n".
    static QString Escape(const QString& text);
};
