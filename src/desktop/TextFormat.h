#pragma once

#include <QString>

#include <concepts>
#include <initializer_list>

// One argument of a printf-style message text: a whole number or a text.
class FormatArg {
public:
    template <std::integral T>
    FormatArg(T number)
        : m_isNumber(true)
        , m_number(static_cast<qint64>(number))
    {
    }
    FormatArg(const QString& text)
        : m_text(text)
    {
    }
    FormatArg(const char* utf8)
        : m_text(QString::fromUtf8(utf8))
    {
    }

    bool IsNumber() const { return m_isNumber; }
    qint64 Number() const { return m_number; }
    const QString& Text() const { return m_text; }

private:
    bool m_isNumber = false;
    qint64 m_number = 0;
    QString m_text;
};

// Formats `format` with the rules of the wide printf family: "%d", "%i",
// "%u", "%x", "%X", "%o", "%c", "%s" (and "%ls", "%S") with optional flags,
// width and precision, and "%%". Arguments are taken in order; a missing
// argument gives an empty field, surplus arguments are ignored, and an
// unknown conversion is copied as it stands.
QString FormatText(const QString& format, std::initializer_list<FormatArg> args = {});
