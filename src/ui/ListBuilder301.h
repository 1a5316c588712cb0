#pragma once

#include "ui/ListBuilder.h"

// Lists of kanji drill books (type "301"): keywords are key kanji, pages
// beyond the main part carry the name of their section instead of a number.
class ListBuilder301 : public ListBuilder {
public:
    void InitIndexColumns(CheckTreeListViewCtrl& list, int bookId) override;
    int InsertIndex(CheckTreeListViewCtrl& list, int row, int parentRow, const Index* index) override;
    void InitKeywordColumns(ListViewCtrl& list) override;
    int InsertKeyword(ListViewCtrl& list, int row, const Keyword* keyword) override;
    void InitSentenceColumns(ListViewCtrl& list) override;
    int InsertSentence(ListViewCtrl& list, int row, const Sentence* sentence) override;
    void FitSentenceColumns(ListViewCtrl& list) override;

    // Column of the question text in the sub-question list.
    static constexpr int SentenceQuestionColumn = 0;

    // Whether the table of contents of book `bookId` has a page column
    // (books 331, 333 and 334 have none).
    static bool HasPageColumn(int bookId);
    // The page label of a table-of-contents entry: the number below 500,
    // then "補充", "実践", "模擬" and "追録" by bands of the page value.
    static QString EntryPageLabel(int page);
    // The page label of a sub-question from its keyword's page value and
    // its kind (sentence attribute 101): empty for kind 30, "追録n" from
    // 3000 on, "模擬", "実践", else the number.
    static QString SentencePageLabel(int page, int kind);

protected:
    // The cells of a sub-question row after its question text: key kanji
    // text (`plainKeyword`: stripped or as stored), page label, problem
    // number.
    QStringList KeywordCells(const Sentence* sentence, bool plainKeyword) const;
};
