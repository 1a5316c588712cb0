#include "quiz/AutoSelectSearch.h"

#include <algorithm>

AutoSelectSearch::AutoSelectSearch(TickSource ticks)
    : m_ticks(std::move(ticks))
{
}

AutoSelectSearchResult AutoSelectSearch::Run(const AutoSelectProblem& problem)
{
    AutoSelectSearchResult result;
    for (const auto& [qid, need] : problem.needs)
        result.chosen[qid];
    const std::uint32_t start = m_ticks();
    const bool feasible = Prepare(problem);
    for (std::size_t i = 0;; ++i) {
        ++result.steps;
        if (m_ticks() - start > AutoSelectProblem::kTimeLimitMs) {
            result.timedOut = true;
            break;
        }
        // What a failed search reports: the duplicates of the empty assignment.
        result.reportedCost = 0;
        if (!feasible)
            break;
        if (Complete()) {
            result.found = true;
            result.reportedCost = Duplicates();
            Collect(result);
            break;
        }
        // Past the last item only an incomplete (so infeasible) state remains.
        if (i == m_items.size() || !(TryTake(static_cast<int>(i)) || Pass(static_cast<int>(i))))
            break;
        m_coverage.Forget();
    }
    return result;
}

// Numbers questions and keywords densely and sets up the empty assignment;
// false when it cannot be completed within the limit.
bool AutoSelectSearch::Prepare(const AutoSelectProblem& problem)
{
    m_qids.clear();
    std::vector<int> needs;
    for (const auto& [qid, need] : problem.needs) {
        m_qids.push_back(qid);
        needs.push_back(need);
    }
    m_kids.clear();
    for (const AutoSelectItem& item : problem.items)
        m_kids.push_back(item.kid);
    std::sort(m_kids.begin(), m_kids.end());
    m_kids.erase(std::unique(m_kids.begin(), m_kids.end()), m_kids.end());

    const auto indexOf = [](const std::vector<int>& ids, int id) {
        const auto it = std::lower_bound(ids.begin(), ids.end(), id);
        return it != ids.end() && *it == id ? static_cast<int>(it - ids.begin()) : -1;
    };
    m_items.clear();
    std::vector<std::pair<int, int>> edges;
    for (const AutoSelectItem& item : problem.items) {
        const Item dense{indexOf(m_qids, item.qid), indexOf(m_kids, item.kid)};
        if (dense.question < 0)
            return false; // an item of a question without a need
        m_items.push_back(dense);
        edges.emplace_back(dense.question, dense.keyword);
    }

    const int questions = static_cast<int>(m_qids.size());
    m_chosen.assign(m_items.size(), 0);
    m_remaining = needs;
    m_undecided.assign(questions, 0);
    for (const Item& item : m_items)
        ++m_undecided[item.question];
    m_uses.assign(m_kids.size(), 0);
    m_taken = 0;
    m_distinct = 0;
    m_missing = 0;
    m_newTaken = 0;
    m_usedRefused.assign(questions, -1);
    m_coverage.Reset(questions, static_cast<int>(m_kids.size()), edges);

    long long total = 0;
    for (int q = 0; q < questions; ++q) {
        if (needs[q] < 0 || m_undecided[q] < needs[q])
            return false; // no assignment holds exactly that need
        total += needs[q];
        m_coverage.SetCapacity(q, needs[q]);
    }
    m_coverage.Forget();
    m_missing = static_cast<int>(total);
    if (total - problem.limit > total)
        return false; // a negative limit: not even the empty assignment is within it
    m_required = static_cast<int>(std::max<long long>(total - problem.limit, 0));
    return Feasible();
}

// Takes the item if a completion still exists afterwards; otherwise leaves
// the state as it was.
bool AutoSelectSearch::TryTake(int item)
{
    const auto [q, k] = m_items[item];
    if (m_remaining[q] == 0)
        return false;
    const bool newKeyword = m_uses[k] == 0;
    if (!newKeyword && m_usedRefused[q] == m_newTaken)
        return false;
    const std::size_t mark = m_coverage.Mark();
    m_coverage.RemoveEdge(item);
    m_coverage.SetCapacity(q, m_remaining[q] - 1);
    if (newKeyword)
        m_coverage.CloseKeyword(k);
    --m_remaining[q];
    --m_undecided[q];
    --m_missing;
    ++m_taken;
    ++m_uses[k];
    m_distinct += newKeyword;
    if (Feasible()) {
        m_chosen[item] = 1;
        m_newTaken += newKeyword;
        return true;
    }
    if (!newKeyword)
        m_usedRefused[q] = m_newTaken;
    m_distinct -= newKeyword;
    --m_uses[k];
    --m_taken;
    ++m_missing;
    ++m_undecided[q];
    ++m_remaining[q];
    m_coverage.Rollback(mark);
    return false;
}

bool AutoSelectSearch::Pass(int item)
{
    const int q = m_items[item].question;
    m_coverage.RemoveEdge(item);
    --m_undecided[q];
    return m_undecided[q] >= m_remaining[q] && Feasible();
}

void AutoSelectSearch::Collect(AutoSelectSearchResult& result) const
{
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_chosen[i])
            result.chosen[m_qids[m_items[i].question]].insert(m_kids[m_items[i].keyword]);
    }
}
