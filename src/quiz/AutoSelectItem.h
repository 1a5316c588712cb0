#pragma once
// One option of the automatic selection: question `qid` has at least one
// candidate sentence that drills keyword `kid`.
#include <compare>

struct AutoSelectItem {
    int kid = 0;
    int qid = 0;

    // Keyword first, then question: the order of the items of a print.
    friend auto operator<=>(const AutoSelectItem&, const AutoSelectItem&) = default;
};
