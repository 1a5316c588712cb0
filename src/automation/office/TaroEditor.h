#pragma once

#include "automation/office/TaroInputFormat.h"

#include <QString>

#include <com/sun/star/datatransfer/XTransferable.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/util/XSearchDescriptor.hpp>

#include <memory>
#include <utility>
#include <vector>

namespace Office {

// Ichitaro's editing model over a Writer document: an insertion point
// that moves by characters, rows (a row is a paragraph) and jumps; a
// range selection that, once started, stretches from where it was started
// to wherever the insertion point goes until it is cancelled; typing with
// input attributes; search, replace and the horizontal-in-vertical setting.
//
// Every member talks to the office directly and may throw UNO exceptions;
// the callers turn them into automation errors.
class TaroEditor {
public:
    explicit TaroEditor(css::uno::Reference<css::text::XTextDocument> model);

    // Moves. In a range selection they stretch the selection.
    void JumpStart();
    void JumpEnd();
    void CursorLeft(int count);
    void CursorRight(int count);
    // To the end of the insertion point's line: the next line break in its
    // paragraph, or the paragraph's end.
    void EndOfLine();
    // Down (or up, when negative) by whole rows, to the start of the row
    // reached; past the last row, to the end of the document.
    void MoveRows(int count);
    // 1-based row of the insertion point.
    int Row();

    // Range selection.
    void StartSelection();
    void CancelSelection();
    void SelectAll();
    bool HasSelection();
    QString SelectedText();

    // Typing replaces the selection and ends it.
    void Insert(const QString& text);
    void InsertParagraphBreak();
    void InsertLineBreak();
    // A new paragraph that begins on a new page.
    void InsertPageBreak();
    // The selection, or else the character after the insertion point.
    void Delete();
    // The selection, or else the character before the insertion point,
    // whose formatting typing then continues.
    void BackSpace();

    // The formatted copy of the selection (null when nothing is selected);
    // pasting puts such a copy at the insertion point.
    css::uno::Reference<css::datatransfer::XTransferable> Copy();
    void Paste(const css::uno::Reference<css::datatransfer::XTransferable>& content);

    // Paragraph style of the selected rows or of the insertion point's row.
    void SetParagraphStyle(const QString& style);
    // Size in points of the selected characters, or of typing when nothing
    // is selected; 0 gives back the style's size.
    void SetCharacterSize(int points);
    TaroInputFormat& Input() { return m_input; }
    // The font of the characters at the insertion point (Japanese or Western).
    QString FontAtInsertionPoint(bool japanese);

    // Replaces every occurrence of a plain, case-sensitive text in every
    // part of the document (page headers and footers, frames, tables, text
    // boxes); the count.
    int ReplaceAll(const QString& search, const QString& replacement);
    // Selects the next match of a regular expression after the insertion
    // point; false when there is none (the selection then stays). Found
    // outside the main text (a page header, a frame, a text box), it is
    // reported found and the selection stays.
    bool SearchRegexp(const QString& pattern);
    // Sets (or clears) the horizontal-in-vertical setting of the runs of
    // half-width digits and signs in the selection that are at most
    // `longest` characters long (no limit when 0); with `letters`, Latin
    // letters count as part of a run too.
    void SetHorizontalInVertical(bool on, bool letters, int longest);

    // Whether the pages of the insertion point run top to bottom.
    bool IsVertical();

    // The runs [start, end) of `text` that SetHorizontalInVertical sets:
    // half-width digits and signs (and letters, with `letters`), holding
    // at least one digit and at most `longest` characters (0: any number).
    static std::vector<std::pair<int, int>> UprightRuns(const QString& text, bool letters, int longest);

private:
    css::uno::Reference<css::text::XTextCursor> SelectionRange();
    void RemoveSelection();
    void Remove(const css::uno::Reference<css::text::XTextCursor>& range);
    void Moved();

    css::uno::Reference<css::text::XTextDocument> m_model;
    css::uno::Reference<css::text::XText> m_text;
    css::uno::Reference<css::text::XTextCursor> m_caret;          // always collapsed
    css::uno::Reference<css::text::XParagraphCursor> m_caretRows; // the same cursor
    css::uno::Reference<css::text::XTextCursor> m_anchor;         // set while selecting
    TaroInputFormat m_input;
    QString m_searchPattern;
    css::uno::Reference<css::util::XSearchDescriptor> m_searchDescriptor;
};

} // namespace Office
