#include "automation/office/RangeFormatBatch.h"

#include "automation/office/StoryReader.h"

#include <com/sun/star/beans/XMultiPropertySet.hpp>

#include <algorithm>

using namespace css;
using rtl::OUString;

namespace Office {

void RangeFormatBatch::Add(std::shared_ptr<TextSpan> span, const uno::Sequence<OUString>& names,
                           const uno::Sequence<uno::Any>& values)
{
    m_pieces.push_back({std::move(span), names, values});
}

void RangeFormatBatch::Flush(const CursorAt& cursorAt, const QString& story)
{
    // Taken out first: whatever the office does with them, they are not given twice.
    const std::vector<Piece> pieces = std::move(m_pieces);
    m_pieces.clear();
    uno::Reference<text::XTextCursor> walker;
    uno::Reference<beans::XMultiPropertySet> properties;
    const int last = static_cast<int>(story.size()) - 1; // the final paragraph mark takes no formatting
    int at = 0;
    bool selecting = false;
    for (const Piece& piece : pieces) {
        const int start = std::clamp(piece.span->start, 0, std::max(last, 0));
        const TextSpan span{start, std::clamp(piece.span->end, start, std::max(last, 0))};
        if (span.IsCollapsed())
            continue;
        if (!walker.is() || span.start < at) {
            // The first range, or one before the walker: a cursor of its own.
            walker = cursorAt(span.start);
            properties.set(walker, uno::UNO_QUERY_THROW);
        } else if (span.start > at) {
            StoryReader::Go(walker, StoryReader::Steps(story, at, span.start), false);
        } else if (selecting) {
            walker->collapseToEnd();
        }
        StoryReader::Go(walker, StoryReader::Steps(story, span.start, span.end), true);
        properties->setPropertyValues(piece.names, piece.values);
        at = span.end;
        selecting = true;
    }
}

} // namespace Office
