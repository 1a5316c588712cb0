#pragma once

#include "automation/office/OfficeScript.h"
#include "automation/office/TaroInputFormat.h"

#include <QString>

#include <com/sun/star/datatransfer/XTransferable.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/util/XSearchDescriptor.hpp>

#include <deque>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace Office {

class WriterDocument;

// Ichitaro's editing model over a Writer document: an insertion point
// that moves by characters, rows (a row is a paragraph) and jumps; a
// range selection that, once started, stretches from where it was started
// to wherever the insertion point goes until it is cancelled; typing with
// input attributes; search, replace and the horizontal-in-vertical setting.
//
// Every office call is a round trip to the office. So where the office
// runs the program's routines (OfficeScript), the steps that give nothing
// back (moves, selecting, typing, typing attributes, styles) are collected
// here and taken there in one call, the moment anything else reaches the
// document (Flush). An office without the routines gets each step at once.
// A regular-expression search that found a match looks ahead for the
// matches after it, so that replacing the matches one by one needs no
// round trip each (see SearchRegexp).
//
// Every member may throw UNO exceptions; the callers turn them into
// automation errors. A step collected fails when it is taken.
class TaroEditor {
public:
    // The editor of the document that `writer` holds (which outlives it).
    explicit TaroEditor(WriterDocument& writer);

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
    // A style the document does not have is refused at once.
    void SetParagraphStyle(const QString& style);
    // Size in points of the selected characters, or of typing when nothing
    // is selected; 0 gives back the style's size.
    void SetCharacterSize(int points);
    // Underline and font of typing.
    void SetInputUnderline(bool on);
    void SetInputFont(const QString& face);
    // The font of the characters at the insertion point (Japanese or Western).
    QString FontAtInsertionPoint(bool japanese);

    // Replaces every occurrence of a plain, case-sensitive text in every
    // part of the document (page headers and footers, frames, tables, text
    // boxes); the count.
    int ReplaceAll(const QString& search, const QString& replacement);
    // Selects the next match of a regular expression after the insertion
    // point; false when there is none (the selection then stays). Found
    // outside the main text (a page header, a frame, a text box), it is
    // reported found and the selection stays. After a
    // match, the next search for the same expression is answered from the
    // matches looked ahead while nothing but the match's replacement has
    // changed: the text after the insertion point is then as it was, and an
    // expression that does not look at what comes before its match (no
    // anchors, word bounds or look-behind) matches there as it did. The
    // office makes the search when the steps are taken and fails when it
    // finds otherwise.
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

    // Takes the steps collected, in the office.
    void Flush();
    // Forgets the steps collected (the document is going).
    void Discard();

private:
    // Collects the step when the office runs the routines.
    bool Collect(OfficeScript::Edit code, int number = 0, const QString& text = {}, const QString& detail = {});
    // Something other than replacing a match happened.
    void ForgetLookAhead();
    // The office's own search; inMainText tells a match it selected from one
    // found outside the main text.
    bool RealSearch(const QString& pattern, bool& inMainText);
    void SetRunsStepByStep(const css::uno::Reference<css::text::XTextCursor>& range,
        const css::uno::Sequence<rtl::OUString>& names, const css::uno::Sequence<css::uno::Any>& values, bool letters,
        int longest);
    // The page headers and footers and text boxes, found once: only pasting
    // can bring more.
    const std::vector<css::uno::Reference<css::text::XText>>& TextsOutsideTheBody();
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

    WriterDocument& m_writer;                    // the routines, the styles
    std::vector<OfficeScript::EditStep> m_steps; // not taken yet
    // The matches after the last one found, while they hold.
    struct LookAhead {
        QString pattern;
        std::deque<QString> matches;
        bool all = false; // there are no more
    };
    std::optional<LookAhead> m_lookAhead;
    bool m_matchSelected = false;          // the last step selected a match
    std::optional<QString> m_selectedText; // the selected match's text, when known here
    std::optional<std::vector<css::uno::Reference<css::text::XText>>> m_textsOutsideTheBody;
};

} // namespace Office
