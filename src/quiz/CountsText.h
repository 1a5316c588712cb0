#pragma once

#include <QString>

#include <map>

// The stored form of sub-question counts per question format:
// "qid:count" entries in ascending qid, joined by "|", e.g. "11:10|12:5".
namespace CountsText {

// Pieces that do not split into exactly two numbers are ignored:
// "7:3|x|9:1:2" gives only 7 -> 3. A qid given twice keeps the later count.
std::map<int, int> Parse(const QString& text);
QString Format(const std::map<int, int>& counts);

} // namespace CountsText
