#pragma once

#include "automation/WordDocument.h"
#include "automation/office/FindSettings.h"
#include "automation/office/RangeFormatBatch.h"
#include "automation/office/TextSpan.h"
#include "automation/office/TypingBatch.h"
#include "automation/office/TypingFormat.h"

#include <QString>

#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextDocument.hpp>

#include <memory>
#include <optional>
#include <set>
#include <vector>

namespace Office {

class OfficeScript;
class OfficeSession;

// A Writer document behind Word's Document object, and the state that
// Word keeps per document: the selection (an insertion point with the
// formatting that typing takes on), the search settings, and the ranges
// handed out, which follow the text as it changes.
//
// Positions count the units of the main text that StoryReader defines:
// the steps of the office's own text cursor, so that the place a position
// names is the place that cursor walks to, tables, fields and pictures
// included. Characters count in UTF-16 units as in Word, with "\r" for a
// paragraph mark and "\v" for a line break; the last paragraph mark ends
// the story. The text is read when the document is opened and then kept up
// to date by every change made through this object (what the office
// inserts on its own, as a paste, is read back), so that reading text and
// finding positions costs no office call.
//
// Typing is collected (TypingBatch) and given to the office before
// anything else reaches it: every call that reads or moves in the
// document, and every accessor of the office objects, flushes it first.
class WriterDocument : public Word::_Document, public std::enable_shared_from_this<WriterDocument> {
public:
    WriterDocument(std::shared_ptr<OfficeSession> session, css::uno::Reference<css::text::XTextDocument> model);
    ~WriterDocument() override;

    std::shared_ptr<Word::Range> Range(const Automation::Variant& start, const Automation::Variant& end) override;
    // Through the office's export filters (DocumentExport).
    void SaveAs2(const Automation::Variant& fileName, const Automation::Variant& fileFormat) override;
    // The title the office shows for the document (its frame's title).
    void SetCaption(const QString& caption) override;

    OfficeSession* Session() const { return m_session.get(); }
    // The office's objects, with everything typed given to them.
    const css::uno::Reference<css::text::XTextDocument>& Model();
    const css::uno::Reference<css::text::XText>& Text();

    // Raises an AutomationError on `iid` once the document is closed;
    // gives the office what was typed.
    void EnsureOpen(const char* iid);
    // Raises that error without reaching the office (for typing).
    void CheckOpen(const char* iid) const;

    // Typing not yet given to the office (ranges formatted before it are
    // given first, so that the office gets both in the order they came).
    TypingBatch& Batch();
    // Sets character properties (`names` in alphabetical order) on
    // [start, end) when the office is next reached.
    void SetCharacterProperties(int start, int end, const css::uno::Sequence<rtl::OUString>& names,
        const css::uno::Sequence<css::uno::Any>& values);
    // Gives the office the typing and the formatting not given yet.
    void FlushPending();
    // From now on gives the office every step as a call of its own, as an
    // office that cannot run the program's routines (OfficeScript) gets them.
    void TakeStepsOneByOne() { m_script = nullptr; }
    // The office's routines; null when it cannot run them or after
    // TakeStepsOneByOne. Looked for once, while the office is there
    // (looking would start a new one).
    OfficeScript* Script();
    // Whether the document has a paragraph style of that name (as the
    // office names it in its own files); read once.
    bool HasParagraphStyle(const QString& name);
    // Closed, or gone with the office it was made in.
    bool IsClosed() const;

    // The whole story, final paragraph mark included.
    const QString& Story() const { return m_story; }
    int StoryEnd() const { return static_cast<int>(m_story.size()); }
    // Rereads the text from the office (after changes made elsewhere).
    void ReloadStory();
    // The units from `position` to the end as the office has them now; the
    // text before `position` must be unchanged since it was last read.
    QString ReadStoryFrom(int position);
    // Rereads the text after a change inside tables (whose places count
    // among the positions) and moves what follows them accordingly.
    void NoteTablesChanged();
    // The text from `position` on has become `units` (as ReadStoryFrom
    // gives it): notes the change between them as a removal and an insertion.
    void NoteReplaced(int position, const QString& units);

    // A span that follows the text from now on.
    std::shared_ptr<TextSpan> Track(int start, int end);
    // The office range for [start, end) (clamped to the text; the final
    // paragraph mark cannot be part of it). Found by walking from the
    // nearest known place: the story start, the start of the range found
    // last (while the text is unchanged) or, when `nearSelection` allows,
    // the selection. The office walks one character at a time, so ranges
    // asked for in document order each cost a short walk.
    css::uno::Reference<css::text::XTextCursor> CursorFor(int start, int end, bool nearSelection = true);

    // Removes the range's text and the tables in it (the caller notes the removal).
    void Erase(const css::uno::Reference<css::text::XTextCursor>& range);

    // Every change to the text is reported here with its position.
    void NoteInserted(int position, const QString& text);
    void NoteRemoved(int position, int count);

    // The selection: its span (tracked), its office cursor and the
    // formatting that typing there takes on.
    TextSpan& SelectionSpan() { return *m_selectionSpan; }
    const css::uno::Reference<css::text::XTextCursor>& SelectionCursor();
    TypingFormat& Typing() { return m_typing; }
    // Moves the selection to [start, end); an end beyond the last
    // paragraph mark's position is taken back before it.
    void Select(int start, int end);
    // Places the office cursor on the selection's span again.
    void ResyncSelection();

    FindSettings& Find() { return m_find; }

    // Subscript text typed through this object: whether text typed next is
    // lowered, and the stretches typed so. Horizontal-in-vertical leaves
    // them out, so that a subscript stays a plain subscript in vertical text.
    void SetTypingLowered(bool lowered) { m_typingLowered = lowered; }
    bool TypingLowered() const { return m_typingLowered; }
    void NoteLowered(int start, int end);
    // [start, end) without the lowered stretches, as pieces in order.
    std::vector<TextSpan> WithoutLowered(int start, int end);

    // Views: no repainting (nor undo steps) while hidden, the window shown or hidden, minimised or not.
    void SetControllersLocked(bool locked);
    void ShowWindow(bool visible);
    void SetWindowState(int state);

    // Closes the document without saving it; later calls raise errors.
    void Close();

private:
    void RefuseLeadingTable() const;
    int Steps(int from, int to) const;
    void MoveCursor(const css::uno::Reference<css::text::XTextCursor>& cursor, int from, int to, bool expand) const;
    void ForgetLastFound();

    std::shared_ptr<OfficeSession> m_session;
    css::uno::Reference<css::text::XTextDocument> m_model;
    css::uno::Reference<css::text::XText> m_text;
    QString m_story;
    std::vector<std::weak_ptr<TextSpan>> m_spans;
    std::shared_ptr<TextSpan> m_selectionSpan;
    css::uno::Reference<css::text::XTextCursor> m_selectionCursor;
    // A collapsed cursor at the start of the range CursorFor found last;
    // dropped whenever the text changes.
    css::uno::Reference<css::text::XTextCursor> m_lastFound;
    int m_lastFoundAt = 0;
    TypingFormat m_typing;
    TypingBatch m_batch;
    RangeFormatBatch m_rangeFormats;
    bool m_flushing = false;
    // The office's own routines, looked for when first needed (null: none).
    std::optional<std::shared_ptr<OfficeScript>> m_script;
    std::optional<std::set<QString>> m_paragraphStyles;
    bool m_typingLowered = false;
    std::vector<std::shared_ptr<TextSpan>> m_lowered;
    FindSettings m_find;
    bool m_locked = false;
    int m_officeGeneration = 0; // which office of the session made it
};

} // namespace Office
