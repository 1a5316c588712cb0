#pragma once

#include <QByteArray>
#include <QStringView>

#include <string>
#include <string_view>

class EscapeTable;

// A document written as UTF-8 into one buffer: texts encoded (and escaped
// for their format) as they are appended, in one pass, so that an export
// makes no string per piece and does not encode the whole again at the end.
class Utf8Text {
public:
    // Bytes as they are: the format's own ASCII (tags, separators).
    Utf8Text& operator+=(std::string_view ascii)
    {
        m_bytes += ascii;
        return *this;
    }
    Utf8Text& operator+=(char ascii)
    {
        m_bytes += ascii;
        return *this;
    }
    // A text encoded as it is (half a surrogate pair as "?").
    Utf8Text& operator+=(QStringView text);
    // A text with the table's replacements.
    void Append(QStringView text, const EscapeTable& escapes);
    void AppendNumber(long long number);
    void AppendFill(std::size_t count, char ascii) { m_bytes.append(count, ascii); }

    void Reserve(std::size_t bytes) { m_bytes.reserve(bytes); }
    std::size_t Size() const { return m_bytes.size(); }
    std::string_view View() const { return m_bytes; }
    QByteArray ToByteArray() const { return QByteArray(m_bytes.data(), static_cast<qsizetype>(m_bytes.size())); }

private:
    std::string m_bytes;
};
