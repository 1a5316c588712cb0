#pragma once
// Shape of an external-character tag: "<G=" + four hexadecimal digits + ">".
#include <QChar>
#include <QStringView>

namespace GaijiTag {

inline constexpr QStringView Open = u"<G=";
inline constexpr qsizetype CodeLength = 4;
inline constexpr qsizetype Length = 8; // "<G=" + code + closing character

// Value of an ASCII hexadecimal digit, or -1 for any other character.
inline int HexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace GaijiTag
