#include "platformexport/Utf8Text.h"

#include "platformexport/EscapeTable.h"

#include <algorithm>
#include <charconv>

namespace {

bool IsHighSurrogate(char16_t c)
{
    return c >= 0xd800 && c < 0xdc00;
}

bool IsLowSurrogate(char16_t c)
{
    return c >= 0xdc00 && c < 0xe000;
}

char* PutUtf8(char* to, char32_t u)
{
    if (u < 0x800) {
        *to++ = static_cast<char>(0xc0 | (u >> 6));
    } else {
        if (u < 0x10000) {
            *to++ = static_cast<char>(0xe0 | (u >> 12));
        } else {
            *to++ = static_cast<char>(0xf0 | (u >> 18));
            *to++ = static_cast<char>(0x80 | ((u >> 12) & 0x3f));
        }
        *to++ = static_cast<char>(0x80 | ((u >> 6) & 0x3f));
    }
    *to++ = static_cast<char>(0x80 | (u & 0x3f));
    return to;
}

char* PutLoneSurrogate(char* to, char16_t c, EscapeTable::LoneSurrogate as)
{
    switch (as) {
    case EscapeTable::LoneSurrogate::Question: *to++ = '?'; break;
    case EscapeTable::LoneSurrogate::Replacement: to = PutUtf8(to, 0xfffd); break;
    case EscapeTable::LoneSurrogate::JsonEscape: {
        const char* const hex = "0123456789abcdef";
        *to++ = '\\';
        *to++ = 'u';
        for (int shift = 12; shift >= 0; shift -= 4)
            *to++ = hex[(c >> shift) & 0xf];
        break;
    }
    }
    return to;
}

} // namespace

Utf8Text& Utf8Text::operator+=(QStringView text)
{
    Append(text, EscapeTable::None());
    return *this;
}

void Utf8Text::Reserve(std::size_t bytes)
{
    if (bytes <= m_capacity)
        return;
    // Grown by half again at least, so that appending stays linear.
    const std::size_t capacity = std::max({bytes, m_capacity + m_capacity / 2, std::size_t(256)});
    m_bytes.resize(static_cast<qsizetype>(capacity)); // new bytes left as they are
    m_capacity = capacity;
}

QByteArray Utf8Text::Take()
{
    m_bytes.truncate(static_cast<qsizetype>(m_size));
    m_size = m_capacity = 0;
    return std::move(m_bytes);
}

void Utf8Text::Append(QStringView text, const EscapeTable& escapes)
{
    // Room for the longest a unit can become, written through a pointer:
    // no check per byte.
    char* const start = Room(static_cast<std::size_t>(text.size()) * escapes.LongestPerUnit());
    char* to = start;
    const char16_t* const units = text.utf16();
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = units[i];
        if (c < 0x80) {
            const char* by = escapes.For(c);
            if (!by) {
                *to++ = static_cast<char>(c);
                continue;
            }
            while (*by)
                *to++ = *by++;
        } else if (c >= 0x800 && c < 0xd800) {
            // Kana and ideographs, most of a Japanese text: three bytes.
            to[0] = static_cast<char>(0xe0 | (c >> 12));
            to[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3f));
            to[2] = static_cast<char>(0x80 | (c & 0x3f));
            to += 3;
        } else if (!IsHighSurrogate(c) && !IsLowSurrogate(c)) {
            if (c < 0xfffe || !escapes.DropsNonCharacters())
                to = PutUtf8(to, c);
        } else if (IsHighSurrogate(c) && i + 1 < size && IsLowSurrogate(units[i + 1])) {
            to = PutUtf8(to, 0x10000 + ((static_cast<char32_t>(c) - 0xd800) << 10) + (units[i + 1] - 0xdc00));
            ++i;
        } else {
            to = PutLoneSurrogate(to, c, escapes.ForLoneSurrogate());
        }
    }
    m_size += static_cast<std::size_t>(to - start);
}

void Utf8Text::Append(std::string_view utf8, const EscapeTable& escapes)
{
    char* const start = Room(utf8.size() * escapes.LongestPerUnit());
    char* to = start;
    for (const char c : utf8) {
        const char* by = static_cast<unsigned char>(c) < 0x80 ? escapes.For(static_cast<char16_t>(c)) : nullptr;
        if (!by) {
            *to++ = c;
            continue;
        }
        while (*by)
            *to++ = *by++;
    }
    m_size += static_cast<std::size_t>(to - start);
}

void Utf8Text::AppendNumber(long long number)
{
    char digits[24];
    const auto [end, error] = std::to_chars(std::begin(digits), std::end(digits), number);
    *this += std::string_view(digits, static_cast<std::size_t>(end - digits));
}
