#include "automation/office/TypingBatch.h"

#include "automation/office/CharacterFormat.h"
#include "automation/office/OfficeScript.h"
#include "automation/office/StoryReader.h"
#include "automation/office/UnoStrings.h"

#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XMultiPropertyStates.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/text/XTextPortionAppend.hpp>

#include <algorithm>
#include <map>
#include <optional>

using namespace css;

namespace Office {
namespace {

uno::Reference<text::XTextRange> AsRange(const uno::Reference<text::XTextCursor>& cursor)
{
    return uno::Reference<text::XTextRange>(cursor.get());
}

} // namespace

const rtl::OUString TypingBatch::StyleProperty("ParaStyleName");

void TypingBatch::AddText(const QString& run, const Values& values, const std::vector<TypingFormat::Attribute>& resets)
{
    if (run.isEmpty())
        return;
    const int start = static_cast<int>(m_units.size());
    m_units += run;
    const int end = static_cast<int>(m_units.size());
    // A reset holds to the end of the batch: one made earlier in it covers this one.
    for (const TypingFormat::Attribute attribute : resets)
        m_resets.try_emplace(attribute, start);
    if (values.empty())
        return;
    // A run typed on with the same formatting is formatted with it at once.
    if (!m_runs.empty() && m_runs.back().end == start && m_runs.back().values == values)
        m_runs.back().end = end;
    else
        m_runs.push_back({start, end, values});
}

void TypingBatch::AddBreak(QChar mark)
{
    m_units += mark;
}

void TypingBatch::SetParagraphProperty(const OUString& name, const uno::Any& value)
{
    m_paragraphProperties.push_back({static_cast<int>(m_units.size()), name, value});
}

void TypingBatch::Flush(
    const uno::Reference<text::XText>& text, const uno::Reference<text::XTextCursor>& cursor, OfficeScript* script)
{
    if (IsEmpty())
        return;
    // Taken out first: whatever the office does with it, it is not given twice.
    TypingBatch batch = std::move(*this);
    Discard();
    batch.InsertText(text, cursor, script);
    batch.ApplyResets(text, cursor);
    if (script)
        batch.ApplyRunsInOffice(text, cursor, *script);
    else
        batch.ApplyRuns(text, cursor);
}

// The text goes in as the paragraph properties divide it, each property
// given at the insertion point when the text before it is in: so the
// paragraph it was set on has it, and the paragraphs split from that one
// take on its style, as when typed call by call. A style goes in one call
// with the text that follows it (the portion's paragraph properties reach
// its first paragraph and those it splits off). With `script` the parts
// between properties other than the style go in one call.
void TypingBatch::InsertText(const uno::Reference<text::XText>& text, const uno::Reference<text::XTextCursor>& cursor,
    OfficeScript* script) const
{
    std::vector<OfficeScript::Part> parts;
    const auto insertParts = [&] {
        if (!parts.empty())
            script->InsertParts(text, cursor, parts);
        parts.clear();
    };
    const uno::Reference<text::XTextPortionAppend> portions(text, uno::UNO_QUERY_THROW);
    uno::Reference<beans::XPropertySet> paragraph;
    const auto officeText
        = [this](int from, int to) { return ToOUString(m_units.mid(from, to - from).replace(u'\v', u'\n')); };
    int at = 0;
    std::size_t next = 0;
    while (at < m_units.size() || next < m_paragraphProperties.size()) {
        // The properties set here, the style (the last one set) kept apart.
        std::optional<uno::Any> style;
        for (; next < m_paragraphProperties.size() && m_paragraphProperties[next].at == at; ++next) {
            const ParagraphProperty& property = m_paragraphProperties[next];
            if (property.name == StyleProperty) {
                style = property.value;
                continue;
            }
            insertParts(); // what came before goes in first
            if (!paragraph.is())
                paragraph.set(cursor, uno::UNO_QUERY_THROW);
            paragraph->setPropertyValue(property.name, property.value);
        }
        const int to
            = next < m_paragraphProperties.size() ? m_paragraphProperties[next].at : static_cast<int>(m_units.size());
        OUString styleName;
        if (script && (!style || ((*style >>= styleName) && !styleName.isEmpty()))) {
            if (style || to > at)
                parts.push_back({officeText(at, to), styleName});
            at = to;
            continue;
        }
        insertParts();
        if (style && to > at) {
            const beans::PropertyValue withStyle(StyleProperty, 0, *style, beans::PropertyState_DIRECT_VALUE);
            portions->insertTextPortion(
                officeText(at, to), uno::Sequence<beans::PropertyValue>(&withStyle, 1), AsRange(cursor));
        } else {
            if (style) {
                if (!paragraph.is())
                    paragraph.set(cursor, uno::UNO_QUERY_THROW);
                paragraph->setPropertyValue(StyleProperty, *style);
            }
            if (to > at)
                text->insertString(AsRange(cursor), officeText(at, to), false);
        }
        at = to;
    }
    insertParts();
}

void TypingBatch::Discard()
{
    m_units.clear();
    m_runs.clear();
    m_resets.clear();
    m_paragraphProperties.clear();
}

// Each reset holds from its run to the end of the batch (runs formatted
// later in it are formatted after the resets).
void TypingBatch::ApplyResets(
    const uno::Reference<text::XText>& text, const uno::Reference<text::XTextCursor>& end) const
{
    std::map<int, std::vector<TypingFormat::Attribute>> byStart;
    for (const auto& [attribute, from] : m_resets)
        byStart[from].push_back(attribute);
    for (const auto& [from, attributes] : byStart) {
        const uno::Reference<text::XTextCursor> cursor = text->createTextCursorByRange(AsRange(end));
        StoryReader::Go(cursor, -StoryReader::Steps(m_units, from), true);
        CharacterFormat::Reset(uno::Reference<beans::XMultiPropertyStates>(cursor, uno::UNO_QUERY_THROW), attributes);
    }
}

// The runs of each formatting are walked through by a cursor of their own
// from the start of the text (the runs are apart from each other, so the
// order they are formatted in does not matter).
void TypingBatch::ApplyRunsInOffice(
    const uno::Reference<text::XText>& text, const uno::Reference<text::XTextCursor>& end, OfficeScript& script) const
{
    std::vector<std::pair<const Values*, std::vector<const Run*>>> walks; // a formatting, its runs in order
    for (const Run& run : m_runs) {
        auto walk = std::find_if(walks.begin(), walks.end(), [&](const auto& w) { return *w.first == run.values; });
        if (walk == walks.end())
            walk = walks.insert(walks.end(), {&run.values, {}});
        walk->second.push_back(&run);
    }
    for (const auto& [values, runs] : walks) {
        const auto [names, anys] = CharacterFormat::Properties(*values);
        if (!names.hasElements())
            continue;
        std::vector<sal_Int32> moves;
        int at = 0;
        for (const Run* run : runs) {
            moves.push_back(StoryReader::Steps(m_units, at, run->start));
            moves.push_back(StoryReader::Steps(m_units, run->start, run->end));
            at = run->end;
        }
        const uno::Reference<text::XTextCursor> walker = text->createTextCursorByRange(AsRange(end));
        StoryReader::Go(walker, -StoryReader::Steps(m_units), false);
        script.SetRanges(walker, moves, names, anys);
    }
}

// One cursor walks from the start of the inserted text to its end,
// formatting each run on its way.
void TypingBatch::ApplyRuns(const uno::Reference<text::XText>& text, const uno::Reference<text::XTextCursor>& end) const
{
    if (m_runs.empty())
        return;
    const uno::Reference<text::XTextCursor> walker = text->createTextCursorByRange(AsRange(end));
    StoryReader::Go(walker, -StoryReader::Steps(m_units), false);
    const uno::Reference<beans::XMultiPropertySet> format(walker, uno::UNO_QUERY_THROW);
    int at = 0;
    for (const Run& run : m_runs) {
        if (run.start > at)
            StoryReader::Go(walker, StoryReader::Steps(m_units, at, run.start), false);
        else if (at > 0)
            walker->collapseToEnd();
        StoryReader::Go(walker, StoryReader::Steps(m_units, run.start, run.end), true);
        CharacterFormat::Set(format, run.values);
        at = run.end;
    }
}

} // namespace Office
