#pragma once
// The plain depth-first search of one cluster, kept as the yardstick for
// AutoSelectSearch: at every item it copies the assignment, first tries the
// copy with the item taken (while its question still needs keywords), then
// the copy without it; it fails a branch as soon as the duplicates exceed
// the limit and succeeds at the first complete assignment. It gives up
// after the same time bound. Exponential; only for tests and benchmarks.
#include "quiz/AutoSelectProblem.h"
#include "quiz/AutoSelectSearchResult.h"
#include "quiz/TickSource.h"

#include <set>
#include <vector>

class ReferenceAutoSelectSearch {
public:
    explicit ReferenceAutoSelectSearch(TickSource ticks = SystemTickCount);

    AutoSelectSearchResult Run(const AutoSelectProblem& problem);

private:
    struct Entry {
        int qid;
        int need;
        std::set<int> kids;
    };
    using Assignment = std::vector<Entry>;

    bool Step(std::size_t next, Assignment& current, int& best);
    static int Cost(const Assignment& assignment);
    static bool Complete(const Assignment& assignment);

    TickSource m_ticks;
    const AutoSelectProblem* m_problem = nullptr;
    std::uint32_t m_start = 0;
    bool m_timedOut = false;
    long long m_calls = 0;
};
