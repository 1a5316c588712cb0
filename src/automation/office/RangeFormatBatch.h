#pragma once

#include "automation/office/TextSpan.h"

#include <QString>

#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/uno/Any.hxx>
#include <com/sun/star/uno/Sequence.hxx>
#include <rtl/ustring.hxx>

#include <functional>
#include <memory>
#include <vector>

namespace Office {

class OfficeScript;

// Character properties set on ranges of the main text that the office has
// not been given yet (as the upright digit runs of vertical text, one
// range each). The ranges follow the text until Flush hands them over:
// one cursor walks forward through them, so each costs a move and a set
// instead of finding its place anew. An office that runs the program's
// routines (OfficeScript) takes each walk in one call.
class RangeFormatBatch {
public:
    bool IsEmpty() const { return m_pieces.empty(); }

    // `names` in alphabetical order, as setPropertyValues wants them.
    void Add(std::shared_ptr<TextSpan> span, const css::uno::Sequence<rtl::OUString>& names,
        const css::uno::Sequence<css::uno::Any>& values);

    // A new collapsed office cursor at a position of the main text.
    using CursorAt = std::function<css::uno::Reference<css::text::XTextCursor>(int position)>;
    // Sets every range's properties, in the order they were put; `story`
    // is the main text as positions count it; `script` (may be null) walks
    // inside the office.
    void Flush(const CursorAt& cursorAt, const QString& story, OfficeScript* script);
    void Discard() { m_pieces.clear(); }

private:
    struct Piece {
        std::shared_ptr<TextSpan> span;
        css::uno::Sequence<rtl::OUString> names;
        css::uno::Sequence<css::uno::Any> values;
    };
    using Step = std::pair<TextSpan, const Piece*>;
    struct Walk {
        int from;
        std::vector<Step> steps;
    };
    static constexpr std::size_t kWalkLength = 400;  // ranges one cursor walks through
    static constexpr std::size_t kParallelWalks = 4; // threads that hand walks to the office at once
    static void SetInOffice(const Walk& walk, const CursorAt& cursorAt, const QString& story, OfficeScript& script);
    static void SetSideBySide(const std::vector<Walk>& walks, const CursorAt& cursorAt, const QString& story);
    static void WalkThrough(
        const Walk& walk, const css::uno::Reference<css::text::XTextCursor>& walker, const QString& story);

    std::vector<Piece> m_pieces;
};

} // namespace Office
