#pragma once

#include <QString>

#include <optional>

// Decimal integers in stored texts, read and written the way "%d" does.
namespace DecimalText {

// Skips leading white space, takes an optional sign and the digits that
// follow, and ignores whatever comes after them. No digits, or a number
// outside the int range: no value.
std::optional<int> Scan(const QString& text);

// Plain decimal: a minus sign when negative, no leading zeros or spaces.
QString Format(int value);

} // namespace DecimalText
