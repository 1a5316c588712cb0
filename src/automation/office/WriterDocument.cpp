#include "automation/office/WriterDocument.h"

#include "automation/WordConstants.h"
#include "automation/office/DocumentExport.h"
#include "automation/office/OfficeScript.h"
#include "automation/office/OfficeSession.h"
#include "automation/office/StoryReader.h"
#include "automation/office/UnoCall.h"
#include "automation/office/UnoStrings.h"
#include "automation/office/WriterRange.h"

#include <com/sun/star/awt/XTopWindow2.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/util/CloseVetoException.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include <algorithm>
#include <cstdlib>
#include <utility>

using namespace css;

namespace Office {

WriterDocument::WriterDocument(std::shared_ptr<OfficeSession> session, uno::Reference<text::XTextDocument> model)
    : m_session(std::move(session))
    , m_model(std::move(model))
{
    m_officeGeneration = m_session->StartCount();
    UnoCall(m_session.get(), Word::_Document::Iid, [&] {
        m_text = m_model->getText();
        RefuseLeadingTable();
        ReloadStory();
        m_selectionSpan = Track(0, 0);
        m_selectionCursor = m_text->createTextCursor();
        m_selectionCursor->gotoStart(false);
    });
}

WriterDocument::~WriterDocument()
{
    // The document itself stays open in the office (as a Word document
    // stays open when its automation references are released); it only
    // must not stay frozen, nor be copied from once the teacher closes it.
    try {
        FlushPending();
        SetControllersLocked(false);
        if (m_model.is())
            m_session->ForgetCopiedContentOf(m_model);
    } catch (...) {
    }
}

bool WriterDocument::IsClosed() const
{
    return !m_model.is() || m_session->StartCount() != m_officeGeneration || !m_session->IsAlive();
}

void WriterDocument::CheckOpen(const char* iid) const
{
    if (IsClosed())
        throw Automation::AutomationError(Automation::AutomationError::Disconnected, QString::fromLatin1(iid),
            QStringLiteral("the document has been closed, or its office has ended"));
}

void WriterDocument::EnsureOpen(const char* iid)
{
    CheckOpen(iid);
    if (!m_batch.IsEmpty() || !m_rangeFormats.IsEmpty())
        UnoCall(m_session.get(), iid, [&] { FlushPending(); });
}

TypingBatch& WriterDocument::Batch()
{
    if (!m_rangeFormats.IsEmpty())
        FlushPending(); // the formatting came first
    return m_batch;
}

void WriterDocument::SetCharacterProperties(
    int start, int end, const uno::Sequence<OUString>& names, const uno::Sequence<uno::Any>& values)
{
    if (!m_batch.IsEmpty())
        FlushPending(); // the typing came first
    m_rangeFormats.Add(Track(start, end), names, values);
}

void WriterDocument::FlushPending()
{
    if ((m_batch.IsEmpty() && m_rangeFormats.IsEmpty()) || m_flushing || !m_model.is())
        return;
    m_flushing = true;
    try {
        OfficeScript* const script = Script();
        m_batch.Flush(m_text, m_selectionCursor, script);
        m_rangeFormats.Flush([this](int position) { return CursorFor(position, position, false); }, m_story, script);
    } catch (...) {
        m_flushing = false;
        throw;
    }
    m_flushing = false;
}

OfficeScript* WriterDocument::Script()
{
    if (!m_script && !IsClosed())
        m_script = OfficeScript::In(m_session.get());
    return m_script ? m_script->get() : nullptr;
}

const uno::Reference<text::XTextDocument>& WriterDocument::Model()
{
    FlushPending();
    return m_model;
}

const uno::Reference<text::XText>& WriterDocument::Text()
{
    FlushPending();
    return m_text;
}

const uno::Reference<text::XTextCursor>& WriterDocument::SelectionCursor()
{
    FlushPending();
    return m_selectionCursor;
}

bool WriterDocument::HasParagraphStyle(const QString& name)
{
    if (!m_paragraphStyles) {
        std::set<QString> names;
        const uno::Reference<container::XNameAccess> styles(
            uno::Reference<style::XStyleFamiliesSupplier>(m_model, uno::UNO_QUERY_THROW)
                ->getStyleFamilies()
                ->getByName(OUString("ParagraphStyles")),
            uno::UNO_QUERY_THROW);
        for (const OUString& style : styles->getElementNames())
            names.insert(ToQString(style));
        m_paragraphStyles = std::move(names);
    }
    return m_paragraphStyles->count(name) > 0;
}

// No place of the main text lies before a table that opens it, so neither
// a position nor a copy could take that table in. Such a document is
// refused rather than written into wrongly; a paragraph before the table
// (even an empty one) makes it usable.
void WriterDocument::RefuseLeadingTable() const
{
    const uno::Reference<container::XEnumeration> parts
        = uno::Reference<container::XEnumerationAccess>(m_text, uno::UNO_QUERY_THROW)->createEnumeration();
    if (parts->hasMoreElements() && uno::Reference<text::XTextTable>(parts->nextElement(), uno::UNO_QUERY).is())
        throw Automation::AutomationError(Automation::AutomationError::Fail, QString::fromLatin1(Iid),
            QStringLiteral("the document begins with a table"))
            .WithFault(Automation::AutomationError::DocumentFault::BeginsWithTable);
}

void WriterDocument::ReloadStory()
{
    FlushPending();
    ForgetLastFound();
    const StoryReader reader(m_text);
    m_story = reader.ReadFrom(reader.StartCursor());
}

QString WriterDocument::ReadStoryFrom(int position)
{
    FlushPending();
    ForgetLastFound(); // it may stand after a change the office made
    const uno::Reference<text::XTextCursor> from = CursorFor(position, position, false);
    return StoryReader(m_text).ReadFrom(from);
}

void WriterDocument::Erase(const uno::Reference<text::XTextCursor>& range)
{
    FlushPending();
    // A table rides on the paragraph mark before it, and removing the text
    // of a range leaves the tables in it: they are removed first.
    std::vector<uno::Reference<lang::XComponent>> tables;
    const uno::Reference<container::XEnumeration> parts
        = uno::Reference<container::XEnumerationAccess>(range, uno::UNO_QUERY_THROW)->createEnumeration();
    while (parts->hasMoreElements()) {
        const uno::Reference<text::XTextTable> table(parts->nextElement(), uno::UNO_QUERY);
        if (table.is())
            tables.emplace_back(table, uno::UNO_QUERY_THROW);
    }
    for (const auto& table : tables)
        table->dispose();
    range->setString(OUString());
}

// The text outside tables is the same in both, in the same order; only the
// runs of table places can differ in length.
void WriterDocument::NoteTablesChanged()
{
    FlushPending();
    const StoryReader reader(m_text);
    const QString now = reader.ReadFrom(reader.StartCursor());
    const QChar place(0xFFFC);
    const auto runs = [place](const QString& story) {
        std::vector<std::pair<int, int>> found; // start, length
        for (int i = 0; i < story.size();) {
            if (story.at(i) != place) {
                ++i;
                continue;
            }
            const int start = i;
            while (i < story.size() && story.at(i) == place)
                ++i;
            found.emplace_back(start, i - start);
        }
        return found;
    };
    const auto before = runs(m_story);
    const auto after = runs(now);
    QString outside = m_story;
    QString outsideNow = now;
    outside.remove(place);
    outsideNow.remove(place);
    if (before.size() != after.size() || outside != outsideNow) {
        ReloadStory(); // not a change within tables: take the text as it is
        return;
    }
    for (std::size_t r = before.size(); r-- > 0;) {
        const auto [start, length] = before[r];
        const int lengthNow = after[r].second;
        if (lengthNow > length)
            NoteInserted(start + length, QString(lengthNow - length, place));
        else if (lengthNow < length)
            NoteRemoved(start + lengthNow, length - lengthNow);
    }
}

void WriterDocument::NoteReplaced(int position, const QString& units)
{
    const QString before = m_story.mid(position);
    if (units == before)
        return;
    // The unchanged ends of the text around the change.
    int head = 0;
    const int shorter = static_cast<int>(std::min(before.size(), units.size()));
    while (head < shorter && before.at(head) == units.at(head))
        ++head;
    int tail = 0;
    while (tail < shorter - head && before.at(before.size() - 1 - tail) == units.at(units.size() - 1 - tail))
        ++tail;
    const int removed = static_cast<int>(before.size()) - head - tail;
    const QString inserted = units.mid(head, units.size() - head - tail);
    if (removed > 0)
        NoteRemoved(position + head, removed);
    if (!inserted.isEmpty())
        NoteInserted(position + head, inserted);
}

std::shared_ptr<Word::Range> WriterDocument::Range(const Automation::Variant& start, const Automation::Variant& end)
{
    CheckOpen(Iid);
    const auto position = [this](const Automation::Variant& v, int omitted) {
        if (v.IsNull())
            return omitted;
        bool ok = false;
        const int p = v.ToInt(&ok);
        if (!ok || p < 0)
            throw Automation::AutomationError(Automation::AutomationError::InvalidArgument, QString::fromLatin1(Iid),
                QStringLiteral("a character position must be a number from 0"));
        return std::min(p, StoryEnd());
    };
    int s = position(start, 0);
    int e = position(end, StoryEnd());
    if (s > e)
        std::swap(s, e);
    return std::make_shared<WriterRange>(shared_from_this(), Track(s, e));
}

void WriterDocument::SaveAs2(const Automation::Variant& fileName, const Automation::Variant& fileFormat)
{
    EnsureOpen(Iid);
    const int saveFormat = fileFormat.IsNull() ? static_cast<int>(Word::wdFormatOpenDocumentText) : fileFormat.ToInt();
    ExportDocument(m_session.get(), Iid, m_model, fileName.ToString(), FormatOfWordSaveFormat(saveFormat));
}

void WriterDocument::SetCaption(const QString& caption)
{
    EnsureOpen(Iid);
    UnoCall(m_session.get(), Iid, [&] {
        const uno::Reference<frame::XTitle> title(m_model, uno::UNO_QUERY);
        if (title.is())
            title->setTitle(ToOUString(caption));
    });
}

std::shared_ptr<TextSpan> WriterDocument::Track(int start, int end)
{
    std::erase_if(m_spans, [](const std::weak_ptr<TextSpan>& s) { return s.expired(); });
    auto span = std::make_shared<TextSpan>(TextSpan{start, end});
    m_spans.push_back(span);
    return span;
}

int WriterDocument::Steps(int from, int to) const
{
    return StoryReader::Steps(m_story, from, to);
}

void WriterDocument::MoveCursor(const uno::Reference<text::XTextCursor>& cursor, int from, int to, bool expand) const
{
    int steps = Steps(std::min(from, to), std::max(from, to));
    while (steps > 0) {
        const sal_Int16 chunk = static_cast<sal_Int16>(std::min(steps, 32767));
        if (to > from)
            cursor->goRight(chunk, expand);
        else
            cursor->goLeft(chunk, expand);
        steps -= chunk;
    }
}

uno::Reference<text::XTextCursor> WriterDocument::CursorFor(int start, int end, bool nearSelection)
{
    FlushPending();
    const int last = StoryEnd() - 1;
    start = std::clamp(start, 0, last);
    end = std::clamp(end, start, last);
    // Walk from the nearest of the story start, the range found last and
    // the selection that lies before it: the cursor counts every step
    // through a table when it moves forward, which is how the positions
    // were counted, so it never walks back.
    enum class From { StoryStart, LastFound, Selection } from = From::StoryStart;
    int at = 0;
    if (m_lastFound.is() && m_lastFoundAt <= start) {
        from = From::LastFound;
        at = m_lastFoundAt;
    }
    const int selection = std::clamp(m_selectionSpan->start, 0, last);
    if (nearSelection && m_selectionCursor.is() && selection <= start && selection > at) {
        from = From::Selection;
        at = selection;
    }
    uno::Reference<text::XTextCursor> cursor;
    if (from == From::LastFound) {
        // The kept cursor itself moves on; it is let go while it moves, as
        // its place is unknown should the office fail on the way.
        const uno::Reference<text::XTextCursor> kept = std::exchange(m_lastFound, nullptr);
        MoveCursor(kept, at, start, false);
        cursor = m_text->createTextCursorByRange(uno::Reference<text::XTextRange>(kept.get()));
        m_lastFound = kept;
    } else {
        if (from == From::Selection) {
            cursor = m_text->createTextCursorByRange(m_selectionCursor->getStart());
        } else {
            cursor = StoryReader(m_text).StartCursor();
        }
        MoveCursor(cursor, at, start, false);
        m_lastFound = m_text->createTextCursorByRange(uno::Reference<text::XTextRange>(cursor.get()));
    }
    m_lastFoundAt = start;
    MoveCursor(cursor, start, end, true);
    return cursor;
}

void WriterDocument::ForgetLastFound()
{
    m_lastFound.clear();
}

void WriterDocument::NoteInserted(int position, const QString& text)
{
    ForgetLastFound();
    m_story.insert(position, text);
    for (const std::weak_ptr<TextSpan>& weak : m_spans)
        if (auto span = weak.lock())
            span->Inserted(position, static_cast<int>(text.size()));
}

void WriterDocument::NoteRemoved(int position, int count)
{
    ForgetLastFound();
    m_story.remove(position, count);
    for (const std::weak_ptr<TextSpan>& weak : m_spans)
        if (auto span = weak.lock())
            span->Removed(position, count);
}

void WriterDocument::Select(int start, int end)
{
    const int last = StoryEnd() - 1;
    start = std::clamp(start, 0, last);
    end = std::clamp(end, start, last);
    m_selectionCursor = CursorFor(start, end);
    *m_selectionSpan = TextSpan{start, end};
    m_typing.Moved();
    m_typingLowered = false;
}

void WriterDocument::NoteLowered(int start, int end)
{
    if (end > start)
        m_lowered.push_back(Track(start, end));
}

std::vector<TextSpan> WriterDocument::WithoutLowered(int start, int end)
{
    std::vector<TextSpan> lowered;
    for (const auto& span : m_lowered)
        if (span->start < end && span->end > start && !span->IsCollapsed())
            lowered.push_back(*span);
    std::sort(lowered.begin(), lowered.end(), [](const TextSpan& a, const TextSpan& b) { return a.start < b.start; });
    std::vector<TextSpan> pieces;
    int from = start;
    for (const TextSpan& span : lowered) {
        if (span.start > from)
            pieces.push_back({from, span.start});
        from = std::max(from, span.end);
    }
    if (from < end)
        pieces.push_back({from, end});
    return pieces;
}

void WriterDocument::ResyncSelection()
{
    m_selectionCursor = CursorFor(m_selectionSpan->start, m_selectionSpan->end, false);
}

void WriterDocument::SetControllersLocked(bool locked)
{
    if (locked == m_locked || IsClosed())
        return;
    uno::Reference<frame::XModel> model(m_model, uno::UNO_QUERY_THROW);
    // While the program writes a hidden document, no undo steps are kept:
    // keeping them costs the office about as much as the writing, and the
    // teacher's undo begins with the finished document.
    const uno::Reference<document::XUndoManagerSupplier> undo(m_model, uno::UNO_QUERY);
    if (locked) {
        model->lockControllers();
        if (undo.is())
            undo->getUndoManager()->lock();
    } else {
        if (undo.is() && undo->getUndoManager()->isLocked())
            undo->getUndoManager()->unlock();
        model->unlockControllers();
    }
    m_locked = locked;
}

void WriterDocument::ShowWindow(bool visible)
{
    if (IsClosed() || m_session->GetOptions().headless)
        return;
    uno::Reference<frame::XController> controller
        = uno::Reference<frame::XModel>(m_model, uno::UNO_QUERY_THROW)->getCurrentController();
    if (controller.is())
        controller->getFrame()->getContainerWindow()->setVisible(visible);
}

void WriterDocument::SetWindowState(int state)
{
    if (IsClosed() || m_session->GetOptions().headless)
        return;
    uno::Reference<frame::XController> controller
        = uno::Reference<frame::XModel>(m_model, uno::UNO_QUERY_THROW)->getCurrentController();
    if (!controller.is())
        return;
    uno::Reference<awt::XTopWindow2> window(controller->getFrame()->getContainerWindow(), uno::UNO_QUERY);
    if (!window.is())
        return;
    window->setIsMinimized(state == 2);
    window->setIsMaximized(state == 1);
}

void WriterDocument::Close()
{
    // Closed without saving: what was typed or formatted goes with it.
    m_batch.Discard();
    m_rangeFormats.Discard();
    if (IsClosed()) {
        m_selectionCursor.clear();
        m_lastFound.clear();
        m_text.clear();
        m_model.clear();
        return;
    }
    SetControllersLocked(false);
    m_session->ForgetCopiedContentOf(m_model);
    uno::Reference<util::XCloseable> closeable(m_model, uno::UNO_QUERY);
    try {
        if (closeable.is())
            closeable->close(true);
        else
            uno::Reference<lang::XComponent>(m_model, uno::UNO_QUERY_THROW)->dispose();
    } catch (const util::CloseVetoException&) {
        // Someone holds it open; close(true) hands it over to them to close.
    }
    m_selectionCursor.clear();
    m_lastFound.clear();
    m_text.clear();
    m_model.clear();
}

} // namespace Office
