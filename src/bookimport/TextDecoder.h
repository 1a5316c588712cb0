#pragma once

#include <QByteArray>
#include <QString>

// Turns the bytes of a text file into UTF-8, finding out without asking
// whether they are UTF-8 (with or without a byte-order mark) or Shift_JIS
// as Japanese spreadsheet programs save it (code page 932, so that "～"
// comes through as U+FF5E). Binary data is refused.
class TextDecoder {
public:
    struct Result {
        bool ok = false;
        QByteArray utf8;  // the text without a byte-order mark
        QString encoding; // "UTF-8", "UTF-8 (BOM)" or "Shift_JIS"
        QString error;    // why the bytes are not text, when not ok
    };

    static Result Decode(const QByteArray& bytes);
    // Whether the bytes are well-formed UTF-8.
    static bool IsUtf8(const QByteArray& bytes);
    // Strict conversion from code page 932; false on a byte sequence that
    // is not a character there.
    static bool FromCp932(const QByteArray& bytes, QByteArray& utf8);
};
