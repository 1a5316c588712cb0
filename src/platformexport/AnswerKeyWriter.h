#pragma once

#include "platformexport/ExportBytes.h"

#include <QByteArray>

struct ExportSet;

// The answer key as CSV for a spreadsheet: a row per sub-question with
// プリント, 番号 (as printed, within its question format), 出題形式, 問題文,
// 解答 (as printed) and 見出し語, texts rendered from the book's markup,
// line breaks kept inside quoted cells. UTF-8 with a byte-order mark so a
// spreadsheet takes it for UTF-8; cells a spreadsheet would take for a
// formula are guarded.
class AnswerKeyWriter {
public:
    static ExportBytes Write(const ExportSet& set);
};
