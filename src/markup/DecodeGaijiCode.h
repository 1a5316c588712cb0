#pragma once
// Decodes the hexadecimal part of an external-character tag: the digits are
// read two at a time as bytes of a Shift_JIS (code page 932) string, which is
// then converted to text. "98C6" gives U+4F5D. The conversion does not depend
// on the process locale.
//
// A pair is read up to its first non-hexadecimal character ("9Z" is 0x09,
// "ZZ" is 0); a last single digit is read alone. A zero byte ends the string.
// A byte sequence that is no character of the code page gives U+FFFD in its
// place, so a broken code stays visible instead of vanishing.
#include <QString>
#include <QStringView>

QString DecodeGaijiCode(QStringView codeText);
