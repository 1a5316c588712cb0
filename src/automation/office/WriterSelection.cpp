#include "automation/office/WriterSelection.h"

#include "automation/WordConstants.h"
#include "automation/office/CharacterFormat.h"
#include "automation/office/OfficeSession.h"
#include "automation/office/UnoCall.h"
#include "automation/office/UnoStrings.h"
#include "automation/office/WriterDocument.h"
#include "automation/office/WriterFind.h"
#include "automation/office/WriterFont.h"
#include "automation/office/WriterParagraphFormat.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/datatransfer/XTransferableSupplier.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/style/BreakType.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/WritingMode2.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XTextRangeCompare.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>

using namespace css;
using Automation::AutomationError;

namespace Office {

WriterSelection::WriterSelection(std::shared_ptr<WriterDocument> document)
    : m_document(std::move(document))
{
}

// A selection that holds text loses it; an insertion point is left as it is.
void WriterSelection::DeleteSelectedText()
{
    TextSpan& span = m_document->SelectionSpan();
    if (span.IsCollapsed())
        return;
    const int end = std::min(span.end, m_document->StoryEnd() - 1);
    if (end > span.start) {
        m_document->Erase(m_document->SelectionCursor());
        m_document->NoteRemoved(span.start, end - span.start);
    }
    m_document->SelectionCursor()->collapseToStart();
    span.end = span.start;
}

// Typing is collected and given to the office in few calls (TypingBatch);
// the text it holds is known at once.
void WriterSelection::InsertRun(const QString& run)
{
    if (run.isEmpty())
        return;
    const int position = m_document->SelectionSpan().start;
    TypingFormat& typing = m_document->Typing();
    m_document->Batch().AddText(run, typing.ValuesToApply(), typing.AttributesToReset());
    typing.Typed();
    m_document->NoteInserted(position, run);
    if (m_document->TypingLowered())
        m_document->NoteLowered(position, position + static_cast<int>(run.size()));
    m_document->SelectionSpan()
        = TextSpan{position + static_cast<int>(run.size()), position + static_cast<int>(run.size())};
}

void WriterSelection::InsertControl(QChar mark)
{
    const int position = m_document->SelectionSpan().start;
    m_document->Batch().AddBreak(mark);
    m_document->NoteInserted(position, QString(mark));
    m_document->SelectionSpan() = TextSpan{position + 1, position + 1};
}

void WriterSelection::InsertPageBreak()
{
    // A new paragraph that begins a new page, as Word's page break does;
    // an empty paragraph (the one a finished print leaves) begins the page
    // itself: split off, it would stay behind on the full page before and
    // could make a blank page of its own.
    const QString& story = m_document->Story();
    const int at = m_document->SelectionSpan().start;
    const bool emptyParagraph = (at == 0 || story.at(at - 1) == u'\r') && story.at(at) == u'\r';
    if (!emptyParagraph)
        InsertControl(QLatin1Char('\r'));
    m_document->Batch().SetParagraphProperty(OUString("BreakType"), uno::Any(style::BreakType_PAGE_BEFORE));
}

void WriterSelection::TypeText(const QString& text)
{
    m_document->CheckOpen(Iid);
    UnoCall(m_document->Session(), Iid, [&] {
        DeleteSelectedText();
        QString run;
        for (const QChar c : text) {
            if (c != u'\r' && c != u'\n' && c != u'\v' && c != u'\f') {
                run += c;
                continue;
            }
            InsertRun(run);
            run.clear();
            if (c == u'\v')
                InsertControl(QLatin1Char('\v'));
            else if (c == u'\f')
                InsertPageBreak();
            else
                InsertControl(QLatin1Char('\r'));
        }
        InsertRun(run);
    });
}

void WriterSelection::TypeParagraph()
{
    m_document->CheckOpen(Iid);
    UnoCall(m_document->Session(), Iid, [&] {
        DeleteSelectedText();
        InsertControl(QLatin1Char('\r'));
    });
}

void WriterSelection::InsertBreak(const Automation::Variant& type)
{
    m_document->CheckOpen(Iid);
    const int kind = type.IsNull() ? Word::wdPageBreak : type.ToInt();
    UnoCall(m_document->Session(), Iid, [&] {
        switch (kind) {
        case Word::wdPageBreak:
        case Word::wdSectionBreakNextPage:
            DeleteSelectedText();
            InsertPageBreak();
            break;
        case Word::wdLineBreak:
            DeleteSelectedText();
            InsertControl(QLatin1Char('\v'));
            break;
        default:
            throw AutomationError(AutomationError::NotImplemented, QString::fromLatin1(Iid),
                QStringLiteral("break type %1 is not supported").arg(kind));
        }
    });
}

void WriterSelection::Paste()
{
    m_document->EnsureOpen(Iid);
    OfficeSession* session = m_document->Session();
    const QString copied = session->CopiedText();
    if (copied.isEmpty())
        return;
    UnoCall(session, Iid, [&] {
        DeleteSelectedText();
        const int position = m_document->SelectionSpan().start;
        const uno::Reference<frame::XController> controller
            = uno::Reference<frame::XModel>(m_document->Model(), uno::UNO_QUERY_THROW)->getCurrentController();
        const uno::Reference<text::XTextViewCursor> viewCursor
            = uno::Reference<text::XTextViewCursorSupplier>(controller, uno::UNO_QUERY_THROW)->getViewCursor();
        viewCursor->gotoRange(m_document->SelectionCursor()->getStart(), false);
        uno::Reference<datatransfer::XTransferableSupplier>(controller, uno::UNO_QUERY_THROW)
            ->insertTransferable(session->CopiedContent());
        // The office pastes tables, fields and pictures as themselves, as
        // they were copied; the office's view cursor, left after what it
        // pasted, must be where the positions lead.
        const uno::Reference<text::XTextRangeCompare> compare(m_document->Text(), uno::UNO_QUERY_THROW);
        const auto placed = [&](const QString& pasted) {
            m_document->NoteInserted(position, pasted);
            m_document->SelectionSpan()
                = TextSpan{position + static_cast<int>(pasted.size()), position + static_cast<int>(pasted.size())};
            m_document->ResyncSelection();
            return compare->compareRegionStarts(viewCursor->getStart(), m_document->SelectionCursor()->getStart()) == 0;
        };
        if (!placed(copied)) {
            // Not as copied (the office may have merged or split a
            // paragraph): what it inserted is read back.
            m_document->NoteRemoved(position, static_cast<int>(copied.size()));
            const QString tail = m_document->Story().mid(position);
            const QString now = m_document->ReadStoryFrom(position);
            if (!now.endsWith(tail) || !placed(now.chopped(tail.size())))
                throw AutomationError(AutomationError::Fail, QString::fromLatin1(Iid),
                    QStringLiteral("the pasted content could not be placed"));
        }
        m_document->Typing().Moved();
    });
}

int WriterSelection::HomeKey(const Automation::Variant& unit, const Automation::Variant& extend)
{
    m_document->EnsureOpen(Iid);
    const int kind = unit.IsNull() ? Word::wdLine : unit.ToInt();
    const bool extending = !extend.IsNull() && extend.ToInt() == Word::wdExtend;
    const TextSpan before = m_document->SelectionSpan();
    int target = 0;
    if (kind == Word::wdLine || kind == Word::wdParagraph) {
        const QString& story = m_document->Story();
        target = before.start;
        while (target > 0 && story.at(target - 1) != u'\r')
            --target;
    } else if (kind != Word::wdStory) {
        throw AutomationError(AutomationError::InvalidArgument, QString::fromLatin1(Iid),
            QStringLiteral("HomeKey does not take unit %1").arg(kind));
    }
    UnoCall(m_document->Session(), Iid, [&] { m_document->Select(target, extending ? before.end : target); });
    return before.start - target;
}

int WriterSelection::GetOrientation()
{
    m_document->EnsureOpen(Iid);
    return UnoCall(m_document->Session(), Iid, [&] {
        // A Writer paragraph's own direction only orders its text left or
        // right; whether lines run vertically is the page's matter.
        const uno::Reference<beans::XPropertySet> props(m_document->SelectionCursor(), uno::UNO_QUERY_THROW);
        OUString pageStyle;
        props->getPropertyValue(OUString("PageStyleName")) >>= pageStyle;
        const uno::Reference<container::XNameAccess> pageStyles(
            uno::Reference<style::XStyleFamiliesSupplier>(m_document->Model(), uno::UNO_QUERY_THROW)
                ->getStyleFamilies()
                ->getByName(OUString("PageStyles")),
            uno::UNO_QUERY_THROW);
        sal_Int16 mode = text::WritingMode2::LR_TB;
        if (pageStyles->hasByName(pageStyle))
            uno::Reference<beans::XPropertySet>(pageStyles->getByName(pageStyle), uno::UNO_QUERY_THROW)
                ->getPropertyValue(OUString("WritingMode"))
                >>= mode;
        switch (mode) {
        case text::WritingMode2::TB_RL: return static_cast<int>(Word::wdTextOrientationVerticalFarEast);
        case text::WritingMode2::TB_LR: return static_cast<int>(Word::wdTextOrientationVertical);
        case text::WritingMode2::BT_LR: return static_cast<int>(Word::wdTextOrientationUpward);
        default: return static_cast<int>(Word::wdTextOrientationHorizontal);
        }
    });
}

std::shared_ptr<Word::_Font> WriterSelection::GetFont()
{
    m_document->CheckOpen(Iid);
    return std::make_shared<WriterFont>(m_document);
}

std::shared_ptr<Word::_ParagraphFormat> WriterSelection::GetParagraphFormat()
{
    m_document->CheckOpen(Iid);
    return std::make_shared<WriterParagraphFormat>(m_document);
}

std::shared_ptr<Word::Find> WriterSelection::GetFind()
{
    m_document->CheckOpen(Iid);
    return std::make_shared<WriterFind>(m_document);
}

} // namespace Office
