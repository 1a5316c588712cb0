#include "automation/office/RangeFormatBatch.h"

#include "automation/office/OfficeScript.h"
#include "automation/office/StoryReader.h"

#include <com/sun/star/beans/XMultiPropertySet.hpp>

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>

using namespace css;
using rtl::OUString;

namespace Office {

void RangeFormatBatch::Add(
    std::shared_ptr<TextSpan> span, const uno::Sequence<OUString>& names, const uno::Sequence<uno::Any>& values)
{
    m_pieces.push_back({std::move(span), names, values});
}

void RangeFormatBatch::Flush(const CursorAt& cursorAt, const QString& story, OfficeScript* script)
{
    // Taken out first: whatever the office does with them, they are not given twice.
    const std::vector<Piece> pieces = std::move(m_pieces);
    m_pieces.clear();
    const int last = std::max(static_cast<int>(story.size()) - 1, 0); // the final paragraph mark takes no formatting
    // Ranges in text order form one wave of walks, each of at most
    // kWalkLength ranges. A range before the one put last may overlap an
    // earlier one, so it starts a new wave, set only after the earlier
    // ones: a range set twice ends with what was put last.
    std::vector<std::vector<Walk>> waves;
    int at = 0;
    for (const Piece& piece : pieces) {
        const int start = std::clamp(piece.span->start, 0, last);
        const TextSpan span{start, std::clamp(piece.span->end, start, last)};
        if (span.IsCollapsed())
            continue;
        if (waves.empty() || span.start < at)
            waves.emplace_back();
        std::vector<Walk>& walks = waves.back();
        if (walks.empty() || (!script && walks.back().steps.size() >= kWalkLength))
            walks.push_back({span.start, {}});
        walks.back().steps.push_back({span, &piece});
        at = span.end;
    }
    for (const std::vector<Walk>& walks : waves) {
        if (script)
            SetInOffice(walks.front(), cursorAt, story, *script);
        else
            SetSideBySide(walks, cursorAt, story);
    }
}

// One call for each stretch of ranges that take the same properties.
void RangeFormatBatch::SetInOffice(
    const Walk& walk, const CursorAt& cursorAt, const QString& story, OfficeScript& script)
{
    const uno::Reference<text::XTextCursor> walker = cursorAt(walk.from);
    const auto sameProperties
        = [](const Piece& a, const Piece& b) { return a.names == b.names && a.values == b.values; };
    int at = walk.from;
    for (auto step = walk.steps.begin(); step != walk.steps.end();) {
        const Piece& piece = *step->second;
        std::vector<sal_Int32> moves;
        for (; step != walk.steps.end() && sameProperties(*step->second, piece); ++step) {
            const TextSpan& span = step->first;
            moves.push_back(StoryReader::Steps(story, at, span.start));
            moves.push_back(StoryReader::Steps(story, span.start, span.end));
            at = span.end;
        }
        script.SetRanges(walker, moves, piece.names, piece.values);
    }
}

void RangeFormatBatch::SetSideBySide(const std::vector<Walk>& walks, const CursorAt& cursorAt, const QString& story)
{
    // Each walk starts from a cursor of its own; the walks of a wave set
    // properties on ranges apart from each other, so they go to the office
    // side by side (it takes the calls one at a time, but their round trips
    // overlap). A few threads take the walks in turn.
    std::vector<uno::Reference<text::XTextCursor>> cursors;
    for (const Walk& walk : walks)
        cursors.push_back(cursorAt(walk.from));
    std::vector<std::exception_ptr> failures(walks.size());
    std::atomic<std::size_t> next{0};
    const auto walkInTurn = [&] {
        for (std::size_t w = next++; w < walks.size(); w = next++) {
            try {
                WalkThrough(walks[w], cursors[w], story);
            } catch (...) {
                failures[w] = std::current_exception();
            }
        }
    };
    std::vector<std::thread> threads;
    for (std::size_t t = 1; t < std::min(walks.size(), kParallelWalks); ++t)
        threads.emplace_back(walkInTurn);
    walkInTurn();
    for (std::thread& thread : threads)
        thread.join();
    for (const std::exception_ptr& failure : failures)
        if (failure)
            std::rethrow_exception(failure);
}

void RangeFormatBatch::WalkThrough(
    const Walk& walk, const uno::Reference<text::XTextCursor>& walker, const QString& story)
{
    const uno::Reference<beans::XMultiPropertySet> properties(walker, uno::UNO_QUERY_THROW);
    int at = walk.from;
    bool selecting = false;
    for (const auto& [span, piece] : walk.steps) {
        if (span.start > at)
            StoryReader::Go(walker, StoryReader::Steps(story, at, span.start), false);
        else if (selecting)
            walker->collapseToEnd();
        StoryReader::Go(walker, StoryReader::Steps(story, span.start, span.end), true);
        properties->setPropertyValues(piece->names, piece->values);
        at = span.end;
        selecting = true;
    }
}

} // namespace Office
