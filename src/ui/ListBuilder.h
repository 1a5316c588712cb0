#pragma once

#include "markup/TagStripper.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class CheckTreeListViewCtrl;
class Index;
class Keyword;
class ListViewCtrl;
class Model;
class Sentence;

// How the lists of one book type look: the columns of the print page, the
// table-of-contents and vocabulary lists of the range dialog and the
// sub-question list, and how one content node becomes one row of them.
// Dialogs lay out no list themselves; they ask the builder of the loaded
// book's type (ForType / ForBook).
//
// Insert* put the first cell in a new row at `row` (the end when out of
// range) and the other cells beside it, and return the row's index; they
// attach no value to the row (the caller does) and insert nothing for a
// null node (-1). Texts shown "plain" have their markup stripped.
class ListBuilder {
public:
    virtual ~ListBuilder() = default;

    // The builder of a book type code ("101", "301", "303"); null for any
    // other code.
    static std::shared_ptr<ListBuilder> ForType(const QString& typeCode);
    // The builder of the type of the book the model has loaded; null when
    // the type is not one of the three or cannot be read.
    static std::shared_ptr<ListBuilder> ForBook(Model& model);
    // The type code ("Product") of the loaded book; empty when it cannot
    // be read.
    static QString BookTypeOf(Model& model);

    // Print page: its columns, one sub-question row (numbered within its
    // question format), and the columns fitted to the list's width.
    virtual void InitPrintColumns(ListViewCtrl& list);
    virtual int InsertPrintSentence(ListViewCtrl& list, int row, const Sentence* sentence, int number);
    virtual void FitPrintColumns(ListViewCtrl& list);

    // Table of contents of book `bookId` (a tree of check rows).
    virtual void InitIndexColumns(CheckTreeListViewCtrl& list, int bookId) = 0;
    virtual int InsertIndex(CheckTreeListViewCtrl& list, int row, int parentRow, const Index* index) = 0;

    // Vocabulary list.
    virtual void InitKeywordColumns(ListViewCtrl& list) = 0;
    virtual int InsertKeyword(ListViewCtrl& list, int row, const Keyword* keyword) = 0;

    // Candidate sub-question list; its question column takes the width
    // the other columns leave.
    virtual void InitSentenceColumns(ListViewCtrl& list) = 0;
    virtual int InsertSentence(ListViewCtrl& list, int row, const Sentence* sentence) = 0;
    virtual void FitSentenceColumns(ListViewCtrl& list) = 0;

    // The width the columns of `list` can share: the list's width less
    // its frame on both sides and a vertical scroll bar.
    static int AvailableWidth(const ListViewCtrl& list);
    // Widths for `count` columns sharing `available` equally, column 0
    // taking what the division leaves. Column `keptColumn` keeps
    // `keptWidth` and the others share the rest; with a kept column out of
    // range or fewer than two columns all share equally.
    static std::vector<int> ShareWidths(int available, int count, int keptColumn = -1, int keptWidth = 0);
    // The width of column `column` when it takes what the other columns of
    // `widths` leave of `available` (never below 0, at most 16 bits).
    static int RemainingWidth(int available, const std::vector<int>& widths, int column);

protected:
    // Column 0 of a print page sub-question row: "(n) question", plain.
    QString SentenceRowText(const Sentence* sentence, int number) const;
    // The text without its markup.
    QString Plain(const QString& text) const { return m_stripper.Strip(text); }
    // Inserts `cells` as one row; returns its index.
    static int InsertCells(ListViewCtrl& list, int row, const QStringList& cells);
    static void ApplyWidths(ListViewCtrl& list, const std::vector<int>& widths);
    // Fitting of the sub-question list: `column` takes the remaining width.
    static void FitRemainingColumn(ListViewCtrl& list, int column);
    // Integer attribute `acid` (first value) of a node as "%d"; empty when
    // the node has no such value.
    static QString IntText(const Keyword* keyword, int acid);
    static QString IntText(const Sentence* sentence, int acid);

private:
    TagStripper m_stripper;
};
