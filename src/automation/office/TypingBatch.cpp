#include "automation/office/TypingBatch.h"

#include "automation/office/CharacterFormat.h"
#include "automation/office/StoryReader.h"
#include "automation/office/UnoStrings.h"

#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XMultiPropertyStates.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>

#include <algorithm>
#include <map>

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

void TypingBatch::Flush(const uno::Reference<text::XText>& text, const uno::Reference<text::XTextCursor>& cursor)
{
    if (IsEmpty())
        return;
    // Taken out first: whatever the office does with it, it is not given twice.
    TypingBatch batch = std::move(*this);
    Discard();
    if (!batch.m_units.isEmpty())
        text->insertString(AsRange(cursor), ToOUString(QString(batch.m_units).replace(u'\v', u'\n')), false);
    batch.ApplyResets(text, cursor);
    batch.ApplyStyles(text, cursor);
    batch.ApplyRunsAndParagraphs(text, cursor);
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
void TypingBatch::ApplyResets(const uno::Reference<text::XText>& text, const uno::Reference<text::XTextCursor>& end) const
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

// A paragraph made by a break takes on the style of the paragraph it was
// split from; text inserted in one piece splits every paragraph from the
// one at the insertion point. So a style set in the batch is given to its
// paragraph and every one after it, up to the next style set. One cursor
// walks forward doing so.
void TypingBatch::ApplyStyles(const uno::Reference<text::XText>& text, const uno::Reference<text::XTextCursor>& end) const
{
    std::vector<const ParagraphProperty*> styles;
    for (const ParagraphProperty& property : m_paragraphProperties)
        if (property.name == StyleProperty)
            styles.push_back(&property);
    if (styles.empty())
        return;
    const int size = static_cast<int>(m_units.size());
    const uno::Reference<text::XTextCursor> walker = text->createTextCursorByRange(AsRange(end));
    StoryReader::Go(walker, -StoryReader::Steps(m_units), false);
    const uno::Reference<beans::XPropertySet> paragraphs(walker, uno::UNO_QUERY_THROW);
    int at = 0;
    for (std::size_t i = 0; i < styles.size(); ++i) {
        const int from = styles[i]->at;
        const int to = i + 1 < styles.size() ? styles[i + 1]->at : size;
        StoryReader::Go(walker, StoryReader::Steps(m_units, at, from), false);
        if (i > 0 && from == at)
            walker->collapseToEnd();
        StoryReader::Go(walker, StoryReader::Steps(m_units, from, to), true);
        paragraphs->setPropertyValue(styles[i]->name, styles[i]->value);
        at = to;
    }
}

// One cursor walks from the start of the inserted text to its end, setting
// the other properties of each paragraph and formatting each run on its
// way, in the order they were typed.
void TypingBatch::ApplyRunsAndParagraphs(const uno::Reference<text::XText>& text,
                                         const uno::Reference<text::XTextCursor>& end) const
{
    struct Step {
        int at;
        const Run* run;
        const ParagraphProperty* property;
    };
    std::vector<Step> steps;
    for (const Run& run : m_runs)
        steps.push_back({run.start, &run, nullptr});
    for (const ParagraphProperty& property : m_paragraphProperties)
        if (property.name != StyleProperty)
            steps.push_back({property.at, nullptr, &property});
    if (steps.empty())
        return;
    // By place; at one place, a paragraph's property before a run that
    // begins there, as they were typed (runs are typed after the property
    // set at their start).
    std::stable_sort(steps.begin(), steps.end(), [](const Step& a, const Step& b) {
        return a.at < b.at || (a.at == b.at && a.property && !b.property);
    });

    const uno::Reference<text::XTextCursor> walker = text->createTextCursorByRange(AsRange(end));
    StoryReader::Go(walker, -StoryReader::Steps(m_units), false);
    uno::Reference<beans::XMultiPropertySet> format;
    uno::Reference<beans::XPropertySet> paragraph;
    int at = 0;
    bool selecting = false;
    for (const Step& step : steps) {
        if (step.at > at)
            StoryReader::Go(walker, StoryReader::Steps(m_units, at, step.at), false);
        else if (selecting)
            walker->collapseToEnd();
        selecting = false;
        at = step.at;
        if (step.property) {
            if (!paragraph.is())
                paragraph.set(walker, uno::UNO_QUERY_THROW);
            paragraph->setPropertyValue(step.property->name, step.property->value);
            continue;
        }
        StoryReader::Go(walker, StoryReader::Steps(m_units, step.run->start, step.run->end), true);
        if (!format.is())
            format.set(walker, uno::UNO_QUERY_THROW);
        CharacterFormat::Set(format, step.run->values);
        at = step.run->end;
        selecting = true;
    }
}

} // namespace Office
