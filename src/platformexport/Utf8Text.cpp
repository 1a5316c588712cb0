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

void PutLoneSurrogate(std::string& out, char16_t c, EscapeTable::LoneSurrogate as)
{
    switch (as) {
    case EscapeTable::LoneSurrogate::Question: out += '?'; break;
    case EscapeTable::LoneSurrogate::Replacement: out += "\xef\xbf\xbd"; break;
    case EscapeTable::LoneSurrogate::JsonEscape: {
        const char* const hex = "0123456789abcdef";
        out += "\\u";
        for (int shift = 12; shift >= 0; shift -= 4)
            out += hex[(c >> shift) & 0xf];
        break;
    }
    }
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

void Utf8Text::Append(QStringView text, const EscapeTable& escapes)
{
    // Room for the longest a unit can become, written through a pointer
    // and cut to what was written: no check per byte.
    const std::size_t at = m_bytes.size();
    const std::size_t worst = at + static_cast<std::size_t>(text.size()) * escapes.LongestPerUnit();
    if (worst > m_bytes.capacity())
        m_bytes.reserve(std::max(worst, m_bytes.capacity() + m_bytes.capacity() / 2));
    m_bytes.resize(worst);
    char* to = m_bytes.data() + at;
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
    m_bytes.resize(static_cast<std::size_t>(to - m_bytes.data()));
}

void Utf8Text::AppendNumber(long long number)
{
    char digits[24];
    const auto [end, error] = std::to_chars(std::begin(digits), std::end(digits), number);
    m_bytes.append(digits, end);
}
