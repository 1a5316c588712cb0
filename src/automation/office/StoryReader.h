#pragma once

#include <QString>

#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextTable.hpp>

namespace Office {

// Reads the main text of a Writer document as the positions of Word's
// object model count it here: one unit per step of the office's own text
// cursor over the main text, the very cursor that every position is later
// walked with. So a position always names the place that many steps from
// the start, whatever the text holds:
//   - a character is one unit (a surrogate pair two, as in Word, and one step);
//   - a line break is "\v";
//   - the end of a paragraph is "\r";
//   - a table is walked through cell by cell in the document's order (as the
//     cursor does when it moves by more than one step), one unit for each
//     character and each paragraph end in its cells, nested tables within
//     their cells; these read as U+FFFC, as no position is handed out there;
//   - a field, an anchor of a footnote, a frame or picture set as a
//     character is one unit: the character it shows when that is one, else
//     U+FFFC;
//   - bookmarks, frames and pictures anchored to a paragraph, headers and
//     footers take no step and have no unit.
// A paragraph whose text the cursor steps over one character at a time is
// read whole; one that holds anything else is read step by step.
class StoryReader {
public:
    explicit StoryReader(css::uno::Reference<css::text::XText> text);

    // A new cursor at the first place of the main text.
    css::uno::Reference<css::text::XTextCursor> StartCursor() const;
    // The units from the place of `from` (a collapsed cursor at a
    // paragraph's start or inside one) to the end of the text, with the
    // final paragraph mark. `from` is not moved.
    QString ReadFrom(const css::uno::Reference<css::text::XTextCursor>& from) const;
    // Only the units of the paragraph (part) at `from`, up to and without
    // its paragraph mark.
    QString ReadParagraph(const css::uno::Reference<css::text::XTextCursor>& from) const;

    // The steps a cursor takes over the units [from, to) of `text`.
    static int Steps(const QString& text, int from = 0, int to = -1);
    // Moves a cursor by steps (left when negative).
    static void Go(const css::uno::Reference<css::text::XTextCursor>& cursor, int steps, bool expand);

    // The units of the paragraph at `from` read one step at a time (for
    // places where the office will not compare positions, as in a cell
    // holding a table). `from` moves to the paragraph's end.
    QString ReadByStepping(const css::uno::Reference<css::text::XTextCursor>& from) const;

private:
    QString TableUnits(const css::uno::Reference<css::text::XTextTable>& table) const;
    QString ReadParagraphAt(const css::uno::Reference<css::text::XTextCursor>& cursor) const;

    css::uno::Reference<css::text::XText> m_text;
};

} // namespace Office
