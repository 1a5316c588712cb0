#include "support/ReferenceAutoSelectSearch.h"

#include <map>

ReferenceAutoSelectSearch::ReferenceAutoSelectSearch(TickSource ticks)
    : m_ticks(std::move(ticks))
{
}

AutoSelectSearchResult ReferenceAutoSelectSearch::Run(const AutoSelectProblem& problem)
{
    m_problem = &problem;
    m_timedOut = false;
    m_calls = 0;
    Assignment assignment;
    for (const auto& [qid, need] : problem.needs)
        assignment.push_back({qid, need, {}});

    AutoSelectSearchResult result;
    m_start = m_ticks();
    int best = INT_MAX;
    result.found = Step(0, assignment, best);
    result.timedOut = m_timedOut;
    result.reportedCost = best;
    result.steps = m_calls;
    for (const Entry& entry : assignment)
        result.chosen[entry.qid] = result.found ? entry.kids : std::set<int>();
    return result;
}

bool ReferenceAutoSelectSearch::Step(std::size_t next, Assignment& current, int& best)
{
    ++m_calls;
    if (m_ticks() - m_start > AutoSelectProblem::kTimeLimitMs) {
        m_timedOut = true;
        return false;
    }
    const int cost = Cost(current);
    best = cost;
    if (cost > m_problem->limit)
        return false;
    if (Complete(current))
        return true;
    if (next >= m_problem->items.size())
        return false;

    const AutoSelectItem item = m_problem->items[next];
    std::size_t slot = 0;
    while (slot < current.size() && current[slot].qid != item.qid)
        ++slot;
    if (slot == current.size())
        return false; // an item of a question without a need

    if (static_cast<int>(current[slot].kids.size()) < current[slot].need) {
        Assignment taken = current;
        taken[slot].kids.insert(item.kid);
        int takenBest = INT_MAX;
        if (Step(next + 1, taken, takenBest)) {
            current = taken;
            best = takenBest;
            return true;
        }
    }
    Assignment passed = current;
    int passedBest = INT_MAX;
    if (Step(next + 1, passed, passedBest)) {
        current = passed;
        best = passedBest;
        return true;
    }
    return false;
}

int ReferenceAutoSelectSearch::Cost(const Assignment& assignment)
{
    std::map<int, int> uses;
    for (const Entry& entry : assignment) {
        for (int kid : entry.kids)
            ++uses[kid];
    }
    int cost = 0;
    for (const auto& [kid, count] : uses) {
        if (count >= 2)
            cost += count - 1;
    }
    return cost;
}

bool ReferenceAutoSelectSearch::Complete(const Assignment& assignment)
{
    for (const Entry& entry : assignment) {
        if (static_cast<int>(entry.kids.size()) != entry.need)
            return false;
    }
    return true;
}
