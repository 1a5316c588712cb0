#include "automation/office/WriterRange.h"

#include "automation/WordConstants.h"
#include "automation/office/OfficeSession.h"
#include "automation/office/UnoCall.h"
#include "automation/office/UnoStrings.h"
#include "automation/office/WriterDocument.h"

#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/datatransfer/XTransferableSupplier.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>

#include <algorithm>

using namespace css;

namespace Office {
namespace {

// Writer's rotation, in tenths of a degree, that sets a run upright in vertical text.
constexpr sal_Int16 kUprightRotation = 900;

} // namespace

WriterRange::WriterRange(std::shared_ptr<WriterDocument> document, std::shared_ptr<TextSpan> span)
    : m_document(std::move(document))
    , m_span(std::move(span))
{
}

int WriterRange::GetStart()
{
    m_document->CheckOpen(Iid);
    return m_span->start;
}

void WriterRange::PutStart(int start)
{
    m_document->CheckOpen(Iid);
    m_span->start = std::clamp(start, 0, m_document->StoryEnd());
    m_span->end = std::max(m_span->end, m_span->start);
}

int WriterRange::GetEnd()
{
    m_document->CheckOpen(Iid);
    return m_span->end;
}

void WriterRange::PutEnd(int end)
{
    m_document->CheckOpen(Iid);
    m_span->end = std::clamp(end, 0, m_document->StoryEnd());
    m_span->start = std::min(m_span->start, m_span->end);
}

QString WriterRange::GetText()
{
    m_document->CheckOpen(Iid);
    return m_document->Story().mid(m_span->start, m_span->Length());
}

void WriterRange::Select()
{
    m_document->EnsureOpen(Iid);
    UnoCall(m_document->Session(), Iid, [&] { m_document->Select(m_span->start, m_span->end); });
}

void WriterRange::Copy()
{
    m_document->EnsureOpen(Iid);
    OfficeSession* session = m_document->Session();
    // The final paragraph mark cannot be copied; an empty range copies nothing.
    const int start = m_span->start;
    const int end = std::min(m_span->end, m_document->StoryEnd() - 1);
    if (end <= start) {
        session->SetCopiedContent(nullptr, QString(), nullptr);
        return;
    }
    UnoCall(session, Iid, [&] {
        const uno::Reference<text::XTextCursor> cursor = m_document->CursorFor(start, end);
        // The view selects tables between the two ends whole, which a
        // selection of the text cursor's range does not.
        const uno::Reference<frame::XController> controller
            = uno::Reference<frame::XModel>(m_document->Model(), uno::UNO_QUERY_THROW)->getCurrentController();
        const uno::Reference<text::XTextViewCursor> view
            = uno::Reference<text::XTextViewCursorSupplier>(controller, uno::UNO_QUERY_THROW)->getViewCursor();
        view->gotoRange(cursor->getStart(), false);
        view->gotoRange(cursor->getEnd(), true);
        const uno::Reference<datatransfer::XTransferable> content
            = uno::Reference<datatransfer::XTransferableSupplier>(controller, uno::UNO_QUERY_THROW)->getTransferable();
        view->collapseToEnd();
        session->SetCopiedContent(content, m_document->Story().mid(start, end - start), m_document->Model());
    });
}

int WriterRange::Delete(const Automation::Variant& unit, const Automation::Variant& count)
{
    m_document->EnsureOpen(Iid);
    if (!unit.IsNull() || !count.IsNull())
        throw Automation::AutomationError(Automation::AutomationError::NotImplemented, QString::fromLatin1(Iid),
            QStringLiteral("Delete takes no unit or count here"));
    const int start = m_span->start;
    const int end = std::min(m_span->end, m_document->StoryEnd() - 1);
    if (end <= start)
        return 0; // an empty range deletes nothing
    return UnoCall(m_document->Session(), Iid, [&] {
        const uno::Reference<text::XTextCursor> cursor = m_document->CursorFor(start, end, false);
        // A page style set on the first paragraph belongs to the document
        // (as a section's page setup does in Word): keep it when that
        // paragraph goes.
        OUString pageStyle;
        if (start == 0)
            uno::Reference<beans::XPropertySet>(m_document->CursorFor(0, 0, false), uno::UNO_QUERY_THROW)
                ->getPropertyValue(OUString("PageDescName"))
                >>= pageStyle;
        m_document->Erase(cursor);
        m_document->NoteRemoved(start, end - start);
        if (!pageStyle.isEmpty()) {
            const uno::Reference<beans::XPropertySet> first(m_document->CursorFor(0, 0, false), uno::UNO_QUERY_THROW);
            OUString now;
            first->getPropertyValue(OUString("PageDescName")) >>= now;
            if (now.isEmpty())
                first->setPropertyValue(OUString("PageDescName"), uno::Any(pageStyle));
        }
        m_document->ResyncSelection();
        return end - start;
    });
}

int WriterRange::GetHorizontalInVertical()
{
    m_document->EnsureOpen(Iid);
    if (m_span->IsCollapsed())
        return Word::wdHorizontalInVerticalNone;
    return UnoCall(m_document->Session(), Iid, [&] {
        const uno::Reference<beans::XPropertySet> props(
            m_document->CursorFor(m_span->start, m_span->end), uno::UNO_QUERY_THROW);
        sal_Int16 rotation = 0;
        bool fit = false;
        props->getPropertyValue(OUString("CharRotation")) >>= rotation;
        props->getPropertyValue(OUString("CharRotationIsFitToLine")) >>= fit;
        if (rotation != kUprightRotation)
            return static_cast<int>(Word::wdHorizontalInVerticalNone);
        return static_cast<int>(fit ? Word::wdHorizontalInVerticalFitInLine : Word::wdHorizontalInVerticalResizeLine);
    });
}

// Set when the office is next reached (WriterDocument::SetCharacterProperties),
// so that a run of them, as a vertical print's digit runs, costs one walk.
void WriterRange::PutHorizontalInVertical(int type)
{
    m_document->CheckOpen(Iid);
    if (type < Word::wdHorizontalInVerticalNone || type > Word::wdHorizontalInVerticalResizeLine)
        throw Automation::AutomationError(Automation::AutomationError::InvalidArgument, QString::fromLatin1(Iid),
            QStringLiteral("unknown horizontal-in-vertical type %1").arg(type));
    if (m_span->IsCollapsed())
        return;
    const bool upright = type != Word::wdHorizontalInVerticalNone;
    // Both properties in one office call; the names are in alphabetical order, as the call asks.
    const OUString names[] = {OUString("CharRotation"), OUString("CharRotationIsFitToLine")};
    const uno::Any values[] = {
        uno::Any(upright ? kUprightRotation : sal_Int16(0)), uno::Any(type == Word::wdHorizontalInVerticalFitInLine)};
    // A subscript keeps its own place in the line: turned across as
    // well, it would stand raised with a gap.
    const std::vector<TextSpan> pieces
        = upright ? m_document->WithoutLowered(m_span->start, m_span->end) : std::vector<TextSpan>{*m_span};
    for (const TextSpan& piece : pieces)
        m_document->SetCharacterProperties(
            piece.start, piece.end, uno::Sequence<OUString>(names, 2), uno::Sequence<uno::Any>(values, 2));
}

} // namespace Office
