#include "quiz/AutoSelectCoverage.h"

void AutoSelectCoverage::Reset(int questionCount, int keywordCount, const std::vector<std::pair<int, int>>& edges)
{
    m_questions = questionCount;
    m_edges = edges;
    m_edgesOfKeyword.assign(keywordCount, {});
    m_filed.assign(static_cast<std::size_t>(questionCount) * (questionCount + 1), {});
    m_slot.assign(edges.size(), -1);
    m_alive.assign(edges.size(), 1);
    m_open.assign(keywordCount, 1);
    m_capacity.assign(questionCount, 0);
    m_matchOf.assign(keywordCount, -1);
    m_matched.assign(questionCount, 0);
    m_seen.assign(questionCount, 0);
    m_stamp = 0;
    m_size = 0;
    m_undo.clear();
    for (std::size_t e = 0; e < edges.size(); ++e) {
        m_edgesOfKeyword[edges[e].second].push_back(static_cast<int>(e));
        File(static_cast<int>(e));
    }
}

void AutoSelectCoverage::SetCapacity(int question, int capacity)
{
    m_undo.push_back({Change::Capacity, question, m_capacity[question]});
    m_capacity[question] = capacity;
    while (m_matched[question] > capacity) {
        const std::vector<int>& own = Filed(question, question);
        SetMatch(m_edges[own.back()].second, -1);
    }
}

void AutoSelectCoverage::RemoveEdge(int edge)
{
    if (!m_alive[edge])
        return;
    m_undo.push_back({Change::Edge, edge, 1});
    if (Usable(edge))
        Unfile(edge);
    m_alive[edge] = 0;
    const auto [question, keyword] = m_edges[edge];
    if (m_matchOf[keyword] == question)
        SetMatch(keyword, -1);
}

void AutoSelectCoverage::CloseKeyword(int keyword)
{
    if (!m_open[keyword])
        return;
    if (m_matchOf[keyword] >= 0)
        SetMatch(keyword, -1);
    m_undo.push_back({Change::Keyword, keyword, 1});
    for (int e : m_edgesOfKeyword[keyword]) {
        if (m_alive[e])
            Unfile(e);
    }
    m_open[keyword] = 0;
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
        case Change::Match: Rematch(undo.index, undo.old); break;
        case Change::Edge:
            m_alive[undo.index] = 1;
            if (Usable(undo.index))
                File(undo.index);
            break;
        case Change::Keyword:
            m_open[undo.index] = 1;
            for (int e : m_edgesOfKeyword[undo.index]) {
                if (m_alive[e])
                    File(e);
            }
            break;
        case Change::Capacity: m_capacity[undo.index] = undo.old; break;
        }
    }
}

void AutoSelectCoverage::File(int edge)
{
    std::vector<int>& file = Filed(m_edges[edge].first, m_matchOf[m_edges[edge].second]);
    m_slot[edge] = static_cast<int>(file.size());
    file.push_back(edge);
}

void AutoSelectCoverage::Unfile(int edge)
{
    std::vector<int>& file = Filed(m_edges[edge].first, m_matchOf[m_edges[edge].second]);
    const int slot = m_slot[edge];
    file[slot] = file.back();
    m_slot[file[slot]] = slot;
    file.pop_back();
    m_slot[edge] = -1;
}

void AutoSelectCoverage::SetMatch(int keyword, int question)
{
    m_undo.push_back({Change::Match, keyword, m_matchOf[keyword]});
    Rematch(keyword, question);
}

// Gives the keyword to another holder and refiles its usable edges.
void AutoSelectCoverage::Rematch(int keyword, int question)
{
    const int old = m_matchOf[keyword];
    if (m_open[keyword]) {
        for (int e : m_edgesOfKeyword[keyword]) {
            if (m_alive[e])
                Unfile(e);
        }
    }
    if (old >= 0) {
        --m_matched[old];
        --m_size;
    }
    if (question >= 0) {
        ++m_matched[question];
        ++m_size;
    }
    m_matchOf[keyword] = question;
    if (m_open[keyword]) {
        for (int e : m_edgesOfKeyword[keyword]) {
            if (m_alive[e])
                File(e);
        }
    }
}

// One augmenting path from any question below its capacity, searched depth
// first; a question that failed once in this search fails again.
bool AutoSelectCoverage::Augment()
{
    ++m_stamp;
    for (int q = 0; q < m_questions; ++q) {
        if (m_matched[q] < m_capacity[q] && Visit(q))
            return true;
    }
    return false;
}

// Finds the question one more keyword: a free one, or one that another
// question holds and can replace by a keyword of its own finding.
bool AutoSelectCoverage::Visit(int question)
{
    if (m_seen[question] == m_stamp)
        return false;
    m_seen[question] = m_stamp;
    for (int holder = -1; holder < m_questions; ++holder) {
        if (holder == question || Filed(question, holder).empty())
            continue;
        if (holder < 0 || Visit(holder)) {
            SetMatch(m_edges[Filed(question, holder).back()].second, question);
            return true;
        }
    }
    return false;
}
