#pragma once

// Conversion between the program's UTF-16 texts and the UTF-8 that the
// SQLite layer speaks. UTF-8 exists only at that boundary.

#include <QString>

#include <string>

std::string ToUtf8(const QString& text);
QString FromUtf8(const char* utf8);
QString FromUtf8(const std::string& utf8);
