#include "quiz/AutoSelectCoverage.h"

void AutoSelectCoverage::Reset(int questionCount, int keywordCount,
                               const std::vector<std::pair<int, int>>& edges)
{
    m_edges = edges;
    m_usable.assign(questionCount, {});
    m_slot.assign(edges.size(), -1);
    m_edgesOfKeyword.assign(keywordCount, {});
    for (std::size_t e = 0; e < edges.size(); ++e) {
        m_edgesOfKeyword[edges[e].second].push_back(static_cast<int>(e));
        m_slot[e] = static_cast<int>(m_usable[edges[e].first].size());
        m_usable[edges[e].first].push_back(static_cast<int>(e));
    }
    m_alive.assign(edges.size(), 1);
    m_open.assign(keywordCount, 1);
    m_capacity.assign(questionCount, 0);
    m_matchOf.assign(keywordCount, -1);
    m_matched.assign(questionCount, 0);
    m_seen.assign(questionCount, 0);
    m_stamp = 0;
    m_size = 0;
    m_undo.clear();
}

void AutoSelectCoverage::SetCapacity(int question, int capacity)
{
    m_undo.push_back({Change::Capacity, question, m_capacity[question]});
    m_capacity[question] = capacity;
    while (m_matched[question] > capacity)
        ReleaseOneOf(question);
}

void AutoSelectCoverage::RemoveEdge(int edge)
{
    if (!m_alive[edge])
        return;
    m_undo.push_back({Change::Edge, edge, 1});
    if (Usable(edge))
        Detach(edge);
    m_alive[edge] = 0;
    const auto [question, keyword] = m_edges[edge];
    if (m_matchOf[keyword] == question)
        SetMatch(keyword, -1);
}

void AutoSelectCoverage::CloseKeyword(int keyword)
{
    if (!m_open[keyword])
        return;
    m_undo.push_back({Change::Keyword, keyword, 1});
    for (int e : m_edgesOfKeyword[keyword]) {
        if (m_alive[e])
            Detach(e);
    }
    m_open[keyword] = 0;
    if (m_matchOf[keyword] >= 0)
        SetMatch(keyword, -1);
}

bool AutoSelectCoverage::Reach(int target)
{
    while (m_size < target) {
        if (!Augment())
            return false;
    }
    return true;
}

void AutoSelectCoverage::Rollback(std::size_t mark)
{
    while (m_undo.size() > mark) {
        const Undo undo = m_undo.back();
        m_undo.pop_back();
        switch (undo.change) {
        case Change::Match: {
            const int now = m_matchOf[undo.index];
            if (now >= 0) {
                --m_matched[now];
                --m_size;
            }
            if (undo.old >= 0) {
                ++m_matched[undo.old];
                ++m_size;
            }
            m_matchOf[undo.index] = undo.old;
            break;
        }
        case Change::Edge:
            m_alive[undo.index] = 1;
            if (Usable(undo.index))
                Attach(undo.index);
            break;
        case Change::Keyword:
            m_open[undo.index] = 1;
            for (int e : m_edgesOfKeyword[undo.index]) {
                if (m_alive[e])
                    Attach(e);
            }
            break;
        case Change::Capacity:
            m_capacity[undo.index] = undo.old;
            break;
        }
    }
}

void AutoSelectCoverage::Attach(int edge)
{
    std::vector<int>& usable = m_usable[m_edges[edge].first];
    m_slot[edge] = static_cast<int>(usable.size());
    usable.push_back(edge);
}

void AutoSelectCoverage::Detach(int edge)
{
    std::vector<int>& usable = m_usable[m_edges[edge].first];
    const int slot = m_slot[edge];
    usable[slot] = usable.back();
    m_slot[usable[slot]] = slot;
    usable.pop_back();
    m_slot[edge] = -1;
}

void AutoSelectCoverage::SetMatch(int keyword, int question)
{
    const int old = m_matchOf[keyword];
    m_undo.push_back({Change::Match, keyword, old});
    if (old >= 0) {
        --m_matched[old];
        --m_size;
    }
    if (question >= 0) {
        ++m_matched[question];
        ++m_size;
    }
    m_matchOf[keyword] = question;
}

void AutoSelectCoverage::ReleaseOneOf(int question)
{
    for (int e : m_usable[question]) {
        const int keyword = m_edges[e].second;
        if (m_matchOf[keyword] == question) {
            SetMatch(keyword, -1);
            return;
        }
    }
}

// One augmenting path from any question below its capacity, searched depth
// first; a question that failed once in this search fails again.
bool AutoSelectCoverage::Augment()
{
    ++m_stamp;
    for (std::size_t q = 0; q < m_capacity.size(); ++q) {
        if (m_matched[q] < m_capacity[q] && Visit(static_cast<int>(q)))
            return true;
    }
    return false;
}

bool AutoSelectCoverage::Visit(int question)
{
    if (m_seen[question] == m_stamp)
        return false;
    m_seen[question] = m_stamp;
    for (int e : m_usable[question]) {
        const int keyword = m_edges[e].second;
        if (m_matchOf[keyword] == question)
            continue;
        const int holder = m_matchOf[keyword];
        if (holder < 0 || Visit(holder)) {
            SetMatch(keyword, question);
            return true;
        }
    }
    return false;
}
