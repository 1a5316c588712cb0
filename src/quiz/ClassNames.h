#pragma once

#include <QString>

#include <vector>

// Class names as the user database keeps them: the names of the prints in
// print order ("quiz_names") and the names the automatic selection gives
// its classes ("autosel_class_names"), each a JSON array of strings, so
// that a name may hold any character.
namespace ClassNames {

// The longest name kept: it is printed in one line of the header.
inline constexpr int kMaxLength = 40;

// A name as it is kept: one line, without space at either end, at most
// kMaxLength characters.
QString Clean(const QString& name);

// Anything but an array of strings reads as no names; names are cleaned.
std::vector<QString> Parse(const QString& text);
// Trailing empty names are left out; no names at all is the empty text.
QString Format(std::vector<QString> names);

} // namespace ClassNames
