#pragma once
// The search of one cluster: walks the items in their order and takes each
// one into the assignment whenever a complete assignment within the
// duplicate limit can still follow, else passes it by. The result is the
// first such assignment of a depth-first search that tries "take" before
// "pass" at every item; because every step knows whether a completion
// exists, the walk never has to go back, and it changes one state in place
// instead of copying it.
//
// Whether a completion exists: every question must still find its
// remaining need among its undecided items, and since a complete assignment
// always holds the total need, its duplicates stay within the limit exactly
// when it uses at least (total need - limit) distinct keywords. The
// undecided items can add at most as many new keywords as a matching of
// questions (up to their remaining need each) to unused keywords is large,
// and they can always add that many (AutoSelectCoverage).
#include "quiz/AutoSelectCoverage.h"
#include "quiz/AutoSelectProblem.h"
#include "quiz/AutoSelectSearchResult.h"
#include "quiz/TickSource.h"

#include <vector>

class AutoSelectSearch {
public:
    explicit AutoSelectSearch(TickSource ticks = SystemTickCount);

    AutoSelectSearchResult Run(const AutoSelectProblem& problem);

private:
    struct Item {
        int question; // dense index
        int keyword;  // dense index
    };

    bool Prepare(const AutoSelectProblem& problem);
    bool Complete() const { return m_missing == 0; }
    bool TryTake(int item);
    bool Pass(int item);
    bool Feasible() { return m_coverage.Reach(m_required - m_distinct); }
    int Duplicates() const { return m_taken - m_distinct; }
    void Collect(AutoSelectSearchResult& result) const;

    TickSource m_ticks;
    std::vector<int> m_qids;
    std::vector<int> m_kids;
    std::vector<Item> m_items;
    std::vector<char> m_chosen;   // per item
    std::vector<int> m_remaining; // per question: need not met yet
    std::vector<int> m_undecided; // per question: items not decided yet
    std::vector<int> m_uses;      // per keyword
    int m_missing = 0;            // sum of the remaining needs
    int m_taken = 0;
    int m_distinct = 0;
    int m_required = 0; // distinct keywords a complete assignment must use
    // Taking a keyword that is used already only costs its question one
    // unit of need, whichever keyword it is; once that failed, it fails
    // again until a new keyword is taken (passing items and taking used
    // keywords only remove options). m_newTaken counts the new keywords
    // taken; m_usedRefused[q] holds that count when q was refused.
    int m_newTaken = 0;
    std::vector<int> m_usedRefused;
    AutoSelectCoverage m_coverage;
};
