#pragma once

#include "ui/ListBuilder301.h"

// Lists of kanji books with exam frequency marks (type "303"): as "301",
// with a "頻出" column in the print page, vocabulary and sub-question lists.
class ListBuilder303 : public ListBuilder301 {
public:
    void InitPrintColumns(ListViewCtrl& list) override;
    int InsertPrintSentence(ListViewCtrl& list, int row, const Sentence* sentence, int number) override;
    void FitPrintColumns(ListViewCtrl& list) override;
    int InsertKeyword(ListViewCtrl& list, int row, const Keyword* keyword) override;
    void InitSentenceColumns(ListViewCtrl& list) override;
    int InsertSentence(ListViewCtrl& list, int row, const Sentence* sentence) override;

    // Column of the frequency mark in the print page list; it keeps its
    // width when the columns are fitted.
    static constexpr int PrintFrequencyColumn = 1;

    // "○" for frequency 1, "◎" for 2 (sentence attribute 103), else empty.
    static QString FrequencyMark(const Sentence* sentence);
};
