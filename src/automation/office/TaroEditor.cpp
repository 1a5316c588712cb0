#include "automation/office/TaroEditor.h"

#include "automation/AutomationError.h"
#include "automation/Dispatch.h"

#include "automation/office/DocumentTexts.h"
#include "automation/office/StoryReader.h"
#include "automation/office/TextMatcher.h"
#include "automation/office/UnoStrings.h"
#include "automation/office/WriterDocument.h"

#include <QRegularExpression>

#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/datatransfer/XTransferableSupplier.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/style/BreakType.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/WritingMode2.hpp>
#include <com/sun/star/text/XTextRangeCompare.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>
#include <com/sun/star/util/XReplaceable.hpp>
#include <com/sun/star/util/XSearchable.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

#include <algorithm>

using namespace css;

namespace Office {
namespace {

// Writer's rotation, in tenths of a degree, that sets a run across a
// vertical line.
constexpr sal_Int16 AcrossRotation = 900;

// The most matches a search looks ahead for.
constexpr sal_Int32 LookAheadMatches = 10000;

using Edit = OfficeScript::Edit;

// Whether a match of the expression found from a place depends only on
// the text from there on (so not on anything before it): no anchors, word
// bounds, look-behind or other groups with options.
bool MatchesFromWhereItStarts(const QString& pattern)
{
    for (const char* context : {"^", "$", "\\b", "\\B", "\\<", "\\>", "\\A", "\\Z", "\\z", "\\G", "(?"})
        if (pattern.contains(QLatin1String(context)))
            return false;
    return true;
}

bool IsHalfWidthSign(QChar c)
{
    return c.unicode() > 0x20 && c.unicode() < 0x7F && !c.isLetterOrNumber();
}

bool IsLatinLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

uno::Reference<text::XTextRange> AsRange(const uno::Reference<text::XTextCursor>& cursor)
{
    return uno::Reference<text::XTextRange>(cursor.get());
}

uno::Reference<frame::XController> Controller(const uno::Reference<text::XTextDocument>& model)
{
    const uno::Reference<frame::XController> controller
        = uno::Reference<frame::XModel>(model, uno::UNO_QUERY_THROW)->getCurrentController();
    if (!controller.is())
        throw uno::RuntimeException(OUString("the document has no view to copy or paste through"));
    return controller;
}

} // namespace

TaroEditor::TaroEditor(WriterDocument& writer)
    : m_model(writer.Model())
    , m_text(m_model->getText())
    , m_writer(writer)
{
    m_caret = m_text->createTextCursor();
    m_caretRows.set(m_caret, uno::UNO_QUERY_THROW);
    m_caret->gotoStart(false);
}

bool TaroEditor::Collect(Edit code, int number, const QString& text, const QString& detail)
{
    if (m_steps.empty() && !m_writer.Script())
        return false; // each step at once
    m_steps.push_back({code, number, ToOUString(text), ToOUString(detail)});
    return true;
}

void TaroEditor::Flush()
{
    if (m_steps.empty())
        return;
    // Taken out first: whatever the office does with them, they are not taken twice.
    const std::vector<OfficeScript::EditStep> steps = std::move(m_steps);
    m_steps.clear();
    OfficeScript* const script = m_writer.Script();
    if (!script)
        throw uno::RuntimeException(OUString("the office can no longer take the steps collected for it"));
    OfficeScript::EditState state;
    state.anchor = m_anchor;
    m_input.Export(state.kinds, state.values, state.applied);
    script->EditSteps(m_model, m_caret, steps, state);
    m_anchor = state.anchor;
    m_input.Import(state.kinds, state.values, state.applied);
}

void TaroEditor::Discard()
{
    m_steps.clear();
    ForgetLookAhead();
}

void TaroEditor::ForgetLookAhead()
{
    m_lookAhead.reset();
    m_matchSelected = false;
    m_selectedText.reset();
}

void TaroEditor::Moved()
{
    m_input.Moved();
}

void TaroEditor::JumpStart()
{
    ForgetLookAhead();
    if (Collect(Edit::JumpStart))
        return;
    m_caret->gotoStart(false);
    Moved();
}

void TaroEditor::JumpEnd()
{
    ForgetLookAhead();
    if (Collect(Edit::JumpEnd))
        return;
    m_caret->gotoEnd(false);
    Moved();
}

void TaroEditor::CursorLeft(int count)
{
    ForgetLookAhead();
    if (Collect(Edit::CursorLeft, count))
        return;
    StoryReader::Go(m_caret, -std::max(count, 0), false);
    Moved();
}

void TaroEditor::CursorRight(int count)
{
    ForgetLookAhead();
    if (Collect(Edit::CursorRight, count))
        return;
    StoryReader::Go(m_caret, std::max(count, 0), false);
    Moved();
}

void TaroEditor::EndOfLine()
{
    ForgetLookAhead();
    if (Collect(Edit::EndOfLine))
        return;
    const uno::Reference<text::XParagraphCursor> rest(
        m_text->createTextCursorByRange(AsRange(m_caret)), uno::UNO_QUERY_THROW);
    rest->gotoEndOfParagraph(true);
    const QString text = ToQString(rest->getString());
    const int lineEnd = static_cast<int>(text.indexOf(QLatin1Char('\n')));
    if (lineEnd < 0)
        m_caret->gotoRange(rest->getEnd(), false);
    else
        StoryReader::Go(m_caret, StoryReader::Steps(text, 0, lineEnd), false);
    Moved();
}

void TaroEditor::MoveRows(int count)
{
    ForgetLookAhead();
    if (Collect(Edit::Rows, count))
        return;
    if (count > 0) {
        for (int i = 0; i < count; ++i) {
            if (!m_caretRows->gotoNextParagraph(false)) {
                m_caret->gotoEnd(false);
                break;
            }
        }
    } else if (count < 0) {
        m_caretRows->gotoStartOfParagraph(false);
        for (int i = 0; i < -count && m_caretRows->gotoPreviousParagraph(false); ++i) { }
    }
    Moved();
}

// Counted in the office when it runs the routines: a row far down is many
// paragraphs away from the first.
int TaroEditor::Row()
{
    Flush();
    if (OfficeScript* const script = m_writer.Script())
        return script->RowOf(m_caret);
    const uno::Reference<text::XParagraphCursor> cursor(
        m_text->createTextCursorByRange(AsRange(m_caret)), uno::UNO_QUERY_THROW);
    cursor->gotoStartOfParagraph(false);
    int row = 1;
    while (cursor->gotoPreviousParagraph(false))
        ++row;
    return row;
}

void TaroEditor::StartSelection()
{
    ForgetLookAhead();
    if (Collect(Edit::StartSelection))
        return;
    m_anchor = m_text->createTextCursorByRange(AsRange(m_caret));
}

void TaroEditor::CancelSelection()
{
    ForgetLookAhead();
    if (Collect(Edit::CancelSelection))
        return;
    m_anchor.clear();
}

void TaroEditor::SelectAll()
{
    ForgetLookAhead();
    Flush();
    m_anchor = m_text->createTextCursor();
    m_anchor->gotoStart(false);
    m_caret->gotoEnd(false);
    Moved();
}

uno::Reference<text::XTextCursor> TaroEditor::SelectionRange()
{
    if (!m_anchor.is())
        return nullptr;
    const uno::Reference<text::XTextCursor> range = m_text->createTextCursorByRange(AsRange(m_anchor));
    range->gotoRange(AsRange(m_caret), true);
    return range;
}

bool TaroEditor::HasSelection()
{
    Flush();
    const uno::Reference<text::XTextCursor> range = SelectionRange();
    return range.is() && !range->isCollapsed();
}

QString TaroEditor::SelectedText()
{
    if (m_selectedText)
        return *m_selectedText;
    Flush();
    const uno::Reference<text::XTextCursor> range = SelectionRange();
    return range.is() ? ToQString(range->getString()) : QString();
}

// A page style set on the first paragraph belongs to the document (Writer
// keeps the page setup there): it stays when that paragraph is removed.
void TaroEditor::Remove(const uno::Reference<text::XTextCursor>& range)
{
    const uno::Reference<text::XTextRangeCompare> compare(m_text, uno::UNO_QUERY_THROW);
    const bool fromStart = compare->compareRegionStarts(AsRange(range), m_text->getStart()) == 0;
    OUString pageStyle;
    if (fromStart)
        uno::Reference<beans::XPropertySet>(m_text->createTextCursorByRange(m_text->getStart()), uno::UNO_QUERY_THROW)
            ->getPropertyValue(OUString("PageDescName"))
            >>= pageStyle;
    range->setString(OUString());
    if (pageStyle.isEmpty())
        return;
    const uno::Reference<beans::XPropertySet> first(
        m_text->createTextCursorByRange(m_text->getStart()), uno::UNO_QUERY_THROW);
    OUString now;
    first->getPropertyValue(OUString("PageDescName")) >>= now;
    if (now.isEmpty())
        first->setPropertyValue(OUString("PageDescName"), uno::Any(pageStyle));
}

void TaroEditor::RemoveSelection()
{
    const uno::Reference<text::XTextCursor> range = SelectionRange();
    m_anchor.clear();
    if (!range.is() || range->isCollapsed())
        return;
    Remove(range);
    m_caret->gotoRange(range->getStart(), false);
}

// Typing over a match just found keeps the look ahead: the next search
// starts after the typed text, where the match ended.
void TaroEditor::Insert(const QString& text)
{
    std::optional<LookAhead> lookAhead;
    if (m_matchSelected)
        lookAhead = std::move(m_lookAhead);
    ForgetLookAhead();
    m_lookAhead = std::move(lookAhead);
    if (Collect(Edit::Insert, StoryReader::Steps(text, 0, static_cast<int>(text.size())), text))
        return;
    RemoveSelection();
    if (text.isEmpty())
        return;
    m_text->insertString(AsRange(m_caret), ToOUString(text), false);
    if (m_input.NeedsApplying()) {
        StoryReader::Go(m_caret, -StoryReader::Steps(text, 0, static_cast<int>(text.size())), true);
        m_input.ApplyTo(m_caret);
        m_caret->collapseToEnd();
    }
}

void TaroEditor::InsertParagraphBreak()
{
    ForgetLookAhead();
    if (Collect(Edit::ParagraphBreak))
        return;
    RemoveSelection();
    m_text->insertControlCharacter(AsRange(m_caret), text::ControlCharacter::PARAGRAPH_BREAK, false);
    m_input.LineBegun();
}

void TaroEditor::InsertLineBreak()
{
    ForgetLookAhead();
    if (Collect(Edit::LineBreak))
        return;
    RemoveSelection();
    m_text->insertControlCharacter(AsRange(m_caret), text::ControlCharacter::LINE_BREAK, false);
    m_input.LineBegun();
}

// An empty paragraph (the one a finished print leaves) itself begins the
// new page: split off, it would stay behind on the full page before and
// could make a blank page of its own.
void TaroEditor::InsertPageBreak()
{
    ForgetLookAhead();
    if (Collect(Edit::PageBreak))
        return;
    if (!(m_caretRows->isStartOfParagraph() && m_caretRows->isEndOfParagraph()))
        InsertParagraphBreak();
    uno::Reference<beans::XPropertySet>(m_caret, uno::UNO_QUERY_THROW)
        ->setPropertyValue(OUString("BreakType"), uno::Any(style::BreakType_PAGE_BEFORE));
}

void TaroEditor::Delete()
{
    ForgetLookAhead();
    if (Collect(Edit::Delete))
        return;
    if (HasSelection()) {
        RemoveSelection();
        return;
    }
    m_anchor.clear();
    const uno::Reference<text::XTextCursor> next = m_text->createTextCursorByRange(AsRange(m_caret));
    if (next->goRight(1, true))
        Remove(next);
}

void TaroEditor::BackSpace()
{
    ForgetLookAhead();
    if (Collect(Edit::BackSpace))
        return;
    if (HasSelection()) {
        RemoveSelection();
        return;
    }
    m_anchor.clear();
    const uno::Reference<text::XTextCursor> previous = m_text->createTextCursorByRange(AsRange(m_caret));
    if (!previous->goLeft(1, true))
        return;
    m_input.TakeOver(previous);
    Remove(previous);
}

uno::Reference<datatransfer::XTransferable> TaroEditor::Copy()
{
    Flush();
    const uno::Reference<text::XTextCursor> range = SelectionRange();
    if (!range.is() || range->isCollapsed())
        return nullptr;
    const uno::Reference<frame::XController> controller = Controller(m_model);
    uno::Reference<view::XSelectionSupplier>(controller, uno::UNO_QUERY_THROW)
        ->select(uno::Any(uno::Reference<text::XTextRange>(range, uno::UNO_QUERY_THROW)));
    return uno::Reference<datatransfer::XTransferableSupplier>(controller, uno::UNO_QUERY_THROW)->getTransferable();
}

void TaroEditor::Paste(const uno::Reference<datatransfer::XTransferable>& content)
{
    ForgetLookAhead();
    Flush();
    RemoveSelection();
    if (!content.is())
        return;
    const uno::Reference<frame::XController> controller = Controller(m_model);
    const uno::Reference<text::XTextViewCursor> view
        = uno::Reference<text::XTextViewCursorSupplier>(controller, uno::UNO_QUERY_THROW)->getViewCursor();
    view->gotoRange(AsRange(m_caret), false);
    m_textsOutsideTheBody.reset(); // the content may hold text boxes
    uno::Reference<datatransfer::XTransferableSupplier>(controller, uno::UNO_QUERY_THROW)->insertTransferable(content);
    m_caret->gotoRange(view->getEnd(), false);
    Moved();
}

void TaroEditor::SetParagraphStyle(const QString& style)
{
    ForgetLookAhead();
    if (m_writer.HasParagraphStyle(style) && Collect(Edit::ParagraphStyle, 0, style))
        return;
    Flush();
    const uno::Reference<text::XTextCursor> range = SelectionRange();
    const uno::Reference<beans::XPropertySet> target(range.is() ? range.get() : m_caret.get(), uno::UNO_QUERY_THROW);
    try {
        target->setPropertyValue(OUString("ParaStyleName"), uno::Any(ToOUString(style)));
    } catch (const lang::IllegalArgumentException&) {
        throw Automation::AutomationError(Automation::AutomationError::InvalidArgument,
            QString::fromLatin1(Automation::Dispatch::Iid),
            QStringLiteral("the document has no paragraph style \"%1\"").arg(style))
            .WithFault(Automation::AutomationError::DocumentFault::MissingParagraphStyle, style);
    }
}

void TaroEditor::SetCharacterSize(int points)
{
    ForgetLookAhead();
    if (Collect(Edit::CharacterSize, points))
        return;
    const uno::Reference<text::XTextCursor> range = SelectionRange();
    if (range.is() && !range->isCollapsed()) {
        TaroInputFormat size;
        size.SetSize(points);
        size.ApplyTo(range);
    } else {
        m_input.SetSize(points);
    }
}

void TaroEditor::SetInputUnderline(bool on)
{
    ForgetLookAhead();
    if (!Collect(Edit::InputUnderline, on ? 1 : 0))
        m_input.SetUnderline(on);
}

void TaroEditor::SetInputFont(const QString& face)
{
    ForgetLookAhead();
    if (!Collect(Edit::InputFont, 0, face))
        m_input.SetFont(face);
}

QString TaroEditor::FontAtInsertionPoint(bool japanese)
{
    Flush();
    if (const auto typing = m_input.Font())
        return *typing;
    OUString face;
    uno::Reference<beans::XPropertySet>(m_caret, uno::UNO_QUERY_THROW)
        ->getPropertyValue(OUString::createFromAscii(japanese ? "CharFontNameAsian" : "CharFontName"))
        >>= face;
    return ToQString(face);
}

int TaroEditor::ReplaceAll(const QString& search, const QString& replacement)
{
    ForgetLookAhead();
    Flush();
    if (search.isEmpty())
        return 0;
    const uno::Reference<util::XReplaceable> replaceable(m_model, uno::UNO_QUERY_THROW);
    const uno::Reference<util::XReplaceDescriptor> descriptor = replaceable->createReplaceDescriptor();
    const uno::Reference<util::XSearchDescriptor> asSearch(descriptor.get());
    descriptor->setSearchString(ToOUString(search));
    descriptor->setReplaceString(ToOUString(replacement));
    const uno::Reference<beans::XPropertySet> options(descriptor, uno::UNO_QUERY_THROW);
    options->setPropertyValue(OUString("SearchCaseSensitive"), uno::Any(true));
    options->setPropertyValue(OUString("SearchRegularExpression"), uno::Any(false));
    int replaced = replaceable->replaceAll(asSearch);
    // The office's own replacement reaches tables and frames but leaves
    // page headers and footers and text boxes alone. A replacement that
    // holds the text itself is not walked over again, lest a text it
    // reached already be replaced twice.
    if (!replacement.contains(search))
        replaced += ReplaceInTexts(TextsOutsideTheBody(), TextMatcher(search, {true, true, false}), replacement);
    return replaced;
}

const std::vector<uno::Reference<text::XText>>& TaroEditor::TextsOutsideTheBody()
{
    if (!m_textsOutsideTheBody)
        m_textsOutsideTheBody = TextsBesideMain(m_model, BesideMain::OutsideTheBody);
    return *m_textsOutsideTheBody;
}

bool TaroEditor::SearchRegexp(const QString& pattern)
{
    if (m_lookAhead && m_lookAhead->pattern == pattern && (!m_lookAhead->matches.empty() || m_lookAhead->all)
        && m_writer.Script()) {
        m_selectedText.reset();
        m_matchSelected = !m_lookAhead->matches.empty();
        if (!m_matchSelected) {
            Collect(Edit::SearchForeseen, 0, pattern);
            return false;
        }
        m_selectedText = m_lookAhead->matches.front();
        m_lookAhead->matches.pop_front();
        Collect(Edit::SearchForeseen, 1, pattern, *m_selectedText);
        return true;
    }
    ForgetLookAhead();
    Flush();
    bool inMainText = false;
    const bool found = RealSearch(pattern, inMainText);
    OfficeScript* const script = m_writer.Script();
    if (found && inMainText && script && MatchesFromWhereItStarts(pattern)) {
        OfficeScript::Matches ahead = script->FindAfter(m_model, m_caret, ToOUString(pattern), LookAheadMatches);
        m_lookAhead = LookAhead{pattern, {}, ahead.all};
        for (const OUString& match : ahead.texts)
            m_lookAhead->matches.push_back(ToQString(match));
        m_matchSelected = true;
    }
    return found;
}

bool TaroEditor::RealSearch(const QString& pattern, bool& inMainText)
{
    const uno::Reference<util::XSearchable> searchable(m_model, uno::UNO_QUERY_THROW);
    if (!m_searchDescriptor.is() || pattern != m_searchPattern) {
        m_searchDescriptor.set(searchable->createSearchDescriptor(), uno::UNO_QUERY_THROW);
        m_searchDescriptor->setSearchString(ToOUString(pattern));
        const uno::Reference<beans::XPropertySet> options(m_searchDescriptor, uno::UNO_QUERY_THROW);
        options->setPropertyValue(OUString("SearchCaseSensitive"), uno::Any(true));
        options->setPropertyValue(OUString("SearchRegularExpression"), uno::Any(true));
        m_searchPattern = pattern;
    }
    const uno::Reference<text::XTextRange> found(
        searchable->findNext(AsRange(m_caret), m_searchDescriptor), uno::UNO_QUERY);
    // A match in a page header or footer, a frame or a text box counts too;
    // the insertion point, which lies in the main text, stays where it is.
    if (!found.is()) {
        const QRegularExpression expression(pattern);
        return FoundBesideMain(m_model, [&expression](const QString& units) { return units.contains(expression); });
    }
    // A match outside the main text, which the office's search may also
    // reach (a page header), counts as found beside it.
    uno::Reference<text::XTextCursor> anchor;
    try {
        anchor = m_text->createTextCursorByRange(found->getStart());
    } catch (const uno::RuntimeException&) {
        return true;
    }
    m_anchor = anchor;
    m_caret->gotoRange(found->getEnd(), false);
    Moved();
    inMainText = true;
    return true;
}

std::vector<std::pair<int, int>> TaroEditor::UprightRuns(const QString& text, bool letters, int longest)
{
    std::vector<std::pair<int, int>> runs;
    const auto belongs
        = [letters](QChar c) { return IsDigit(c) || IsHalfWidthSign(c) || (letters && IsLatinLetter(c)); };
    int i = 0;
    const int size = static_cast<int>(text.size());
    while (i < size) {
        if (!belongs(text.at(i))) {
            ++i;
            continue;
        }
        const int start = i;
        bool digit = false;
        while (i < size && belongs(text.at(i)))
            digit = IsDigit(text.at(i++)) || digit;
        if (digit && (longest <= 0 || i - start <= longest))
            runs.emplace_back(start, i);
    }
    return runs;
}

// With the office's routines, the texts of the paragraphs are read in one
// call and the runs set in another: when the range holds no table, by one
// cursor that walks from its start over every paragraph end (one step
// each), else paragraph by paragraph.
void TaroEditor::SetHorizontalInVertical(bool on, bool letters, int longest)
{
    ForgetLookAhead();
    Flush();
    const uno::Reference<text::XTextCursor> range = SelectionRange();
    if (!range.is() || range->isCollapsed())
        return;
    const OUString nameList[] = {OUString("CharRotation"), OUString("CharRotationIsFitToLine")};
    const uno::Any valueList[] = {uno::Any(on ? AcrossRotation : sal_Int16(0)), uno::Any(on)};
    const uno::Sequence<OUString> names(nameList, 2);
    const uno::Sequence<uno::Any> values(valueList, 2);
    OfficeScript* const script = m_writer.Script();
    if (!script) {
        SetRunsStepByStep(range, names, values, letters, longest);
        return;
    }
    const std::vector<std::optional<OUString>> paragraphs = script->ParagraphTexts(range);
    const bool tables = std::any_of(paragraphs.begin(), paragraphs.end(), [](const auto& p) { return !p; });
    std::vector<sal_Int32> moves;
    int walked = 0; // steps from the range's start to the end of the last run
    int paragraphStart = 0;
    for (const std::optional<OUString>& paragraph : paragraphs) {
        const QString text = paragraph ? ToQString(*paragraph) : QString();
        const auto runs = paragraph ? UprightRuns(text, letters, longest) : std::vector<std::pair<int, int>>();
        if (tables)
            moves.push_back(static_cast<sal_Int32>(runs.size()));
        int at = 0;
        for (const auto& [start, end] : runs) {
            const int runStart = paragraphStart + StoryReader::Steps(text, 0, start);
            const int runSteps = StoryReader::Steps(text, start, end);
            moves.push_back(tables ? StoryReader::Steps(text, at, start) : runStart - walked);
            moves.push_back(runSteps);
            at = end;
            walked = runStart + runSteps;
        }
        paragraphStart += StoryReader::Steps(text, 0, static_cast<int>(text.size())) + 1;
    }
    if (tables) {
        script->SetRunsInParagraphs(m_text, range, moves, names, values);
    } else if (!moves.empty()) {
        const uno::Reference<text::XTextCursor> walker = m_text->createTextCursorByRange(range->getStart());
        script->SetRanges(walker, moves, names, values);
    }
}

void TaroEditor::SetRunsStepByStep(const uno::Reference<text::XTextCursor>& range, const uno::Sequence<OUString>& names,
    const uno::Sequence<uno::Any>& values, bool letters, int longest)
{
    const uno::Reference<container::XEnumeration> paragraphs
        = uno::Reference<container::XEnumerationAccess>(range, uno::UNO_QUERY_THROW)->createEnumeration();
    while (paragraphs->hasMoreElements()) {
        // Tables are no text ranges; they keep their own layout.
        const uno::Reference<text::XTextRange> paragraph(paragraphs->nextElement(), uno::UNO_QUERY);
        if (!paragraph.is())
            continue;
        const QString text = ToQString(paragraph->getString());
        const auto runs = UprightRuns(text, letters, longest);
        if (runs.empty())
            continue;
        // One cursor walks the paragraph from run to run.
        const uno::Reference<text::XTextCursor> run = m_text->createTextCursorByRange(paragraph->getStart());
        const uno::Reference<beans::XMultiPropertySet> props(run, uno::UNO_QUERY_THROW);
        int at = 0;
        for (const auto& [start, end] : runs) {
            StoryReader::Go(run, StoryReader::Steps(text, at, start), false);
            StoryReader::Go(run, StoryReader::Steps(text, start, end), true);
            props->setPropertyValues(names, values);
            run->collapseToEnd();
            at = end;
        }
    }
}

bool TaroEditor::IsVertical()
{
    Flush();
    OUString pageStyle;
    uno::Reference<beans::XPropertySet>(m_caret, uno::UNO_QUERY_THROW)->getPropertyValue(OUString("PageStyleName"))
        >>= pageStyle;
    const uno::Reference<container::XNameAccess> pageStyles(
        uno::Reference<style::XStyleFamiliesSupplier>(m_model, uno::UNO_QUERY_THROW)
            ->getStyleFamilies()
            ->getByName(OUString("PageStyles")),
        uno::UNO_QUERY_THROW);
    if (!pageStyles->hasByName(pageStyle))
        return false;
    sal_Int16 mode = text::WritingMode2::LR_TB;
    uno::Reference<beans::XPropertySet>(pageStyles->getByName(pageStyle), uno::UNO_QUERY_THROW)
        ->getPropertyValue(OUString("WritingMode"))
        >>= mode;
    return mode == text::WritingMode2::TB_RL || mode == text::WritingMode2::TB_LR;
}

} // namespace Office
