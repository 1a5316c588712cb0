#include "quiz/AutoSelectCluster.h"

#include "quiz/RandomGenerator.h"

#include <algorithm>
#include <climits>

std::vector<AutoSelectCluster> AutoSelectCluster::Split(const std::vector<AutoSelectItem>& items)
{
    std::map<int, std::set<int>> keywordsOf;
    std::map<int, std::set<int>> questionsOf;
    for (const AutoSelectItem& item : items) {
        keywordsOf[item.qid].insert(item.kid);
        questionsOf[item.kid].insert(item.qid);
    }

    std::vector<AutoSelectCluster> clusters;
    std::set<int> placed;
    for (const auto& [first, keywords] : keywordsOf) {
        if (placed.count(first))
            continue;
        AutoSelectCluster cluster;
        std::vector<int> pending{first};
        placed.insert(first);
        while (!pending.empty()) {
            const int qid = pending.back();
            pending.pop_back();
            cluster.m_qids.insert(qid);
            for (int kid : keywordsOf[qid]) {
                for (int other : questionsOf[kid]) {
                    if (placed.insert(other).second)
                        pending.push_back(other);
                }
            }
        }
        for (int qid : cluster.m_qids) {
            for (int kid : keywordsOf[qid])
                cluster.m_items.push_back({kid, qid});
        }
        clusters.push_back(std::move(cluster));
    }
    return clusters;
}

AutoSelectProblem AutoSelectCluster::Problem(const std::map<int, int>& counts) const
{
    AutoSelectProblem problem;
    problem.needs = Needs(counts);
    problem.limit = DuplicateLimit(problem.needs);
    problem.items = SearchOrder();
    return problem;
}

std::map<int, int> AutoSelectCluster::Needs(const std::map<int, int>& counts) const
{
    std::map<int, int> keywordCount;
    for (const AutoSelectItem& item : m_items)
        ++keywordCount[item.qid];
    std::map<int, int> needs;
    for (int qid : m_qids) {
        const auto count = counts.find(qid);
        needs[qid] = std::min(count == counts.end() ? 0 : count->second, keywordCount[qid]);
    }
    return needs;
}

int AutoSelectCluster::DuplicateLimit(const std::map<int, int>& needs) const
{
    long long total = 0;
    for (const auto& [qid, need] : needs)
        total += need;
    std::set<int> keywords;
    for (const AutoSelectItem& item : m_items)
        keywords.insert(item.kid);
    return static_cast<int>(std::clamp<long long>(total - static_cast<long long>(keywords.size()), 0, INT_MAX));
}

std::vector<AutoSelectItem> AutoSelectCluster::SearchOrder() const
{
    std::map<int, int> optionCount;
    for (const AutoSelectItem& item : m_items)
        ++optionCount[item.qid];
    std::vector<AutoSelectItem> order = m_items;
    RandomGenerator::Shuffle(order);
    std::stable_sort(order.begin(), order.end(), [&](const AutoSelectItem& a, const AutoSelectItem& b) {
        return optionCount.at(a.qid) < optionCount.at(b.qid);
    });
    return order;
}
