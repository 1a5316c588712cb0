#pragma once

#include <QByteArray>
#include <QStringView>

#include <cstring>
#include <string_view>

class EscapeTable;

// A document written as UTF-8 into one buffer: texts encoded (and escaped
// for their format) as they are appended, in one pass, so that an export
// makes no string per piece and does not encode the whole again at the end.
class Utf8Text {
public:
    // Bytes as they are: the format's own ASCII (tags, separators).
    Utf8Text& operator+=(std::string_view bytes)
    {
        std::memcpy(Room(bytes.size()), bytes.data(), bytes.size());
        m_size += bytes.size();
        return *this;
    }
    Utf8Text& operator+=(const Utf8Text& text) { return *this += text.View(); }
    Utf8Text& operator+=(char ascii)
    {
        *Room(1) = ascii;
        ++m_size;
        return *this;
    }
    // A text encoded as it is (half a surrogate pair as "?").
    Utf8Text& operator+=(QStringView text);
    // A text with the table's replacements.
    void Append(QStringView text, const EscapeTable& escapes);
    // UTF-8 bytes with the table's replacements of ASCII characters (for
    // texts of our own making, which hold no non-characters).
    void Append(std::string_view utf8, const EscapeTable& escapes);
    void AppendNumber(long long number);
    void AppendFill(std::size_t count, char ascii)
    {
        std::memset(Room(count), ascii, count);
        m_size += count;
    }

    void Reserve(std::size_t bytes);
    // Empties the text, keeping its room.
    void Clear() { m_size = 0; }
    std::size_t Size() const { return m_size; }
    std::string_view View() const { return {m_bytes.constData(), m_size}; }
    // The bytes, without copying them; the text is empty afterwards.
    QByteArray Take();

private:
    // Where `bytes` more can be written.
    char* Room(std::size_t bytes)
    {
        if (m_size + bytes > m_capacity)
            Reserve(m_size + bytes);
        return m_bytes.data() + m_size;
    }

    // Sized to the capacity (its bytes past m_size not yet written), so
    // that the finished text is handed on without a copy.
    QByteArray m_bytes;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};
