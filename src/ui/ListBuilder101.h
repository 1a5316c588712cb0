#pragma once

#include "ui/ListBuilder.h"

// Lists of English vocabulary books (type "101"): keywords are headwords
// with their numbers, sub-questions show headword, number and page.
class ListBuilder101 : public ListBuilder {
public:
    void InitIndexColumns(CheckTreeListViewCtrl& list, int bookId) override;
    int InsertIndex(CheckTreeListViewCtrl& list, int row, int parentRow, const Index* index) override;
    void InitKeywordColumns(ListViewCtrl& list) override;
    int InsertKeyword(ListViewCtrl& list, int row, const Keyword* keyword) override;
    void InitSentenceColumns(ListViewCtrl& list) override;
    int InsertSentence(ListViewCtrl& list, int row, const Sentence* sentence) override;
    void FitSentenceColumns(ListViewCtrl& list) override;

    // Column of the question text in the sub-question list.
    static constexpr int SentenceQuestionColumn = 3;
};
