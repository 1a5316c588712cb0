#include "quiz/AutoSelectAvoidance.h"

#include "model/Sentence.h"
#include "quiz/RandomGenerator.h"

#include <algorithm>
#include <set>

namespace {

struct Demand {
    std::map<int, std::set<int>> kids;     // qid -> its candidate keywords
    std::map<int, std::set<int>> admitted; // qid -> the keywords let in
    std::map<int, std::size_t> need;       // qid -> keywords it needs
    std::set<int> allAdmitted;
    std::size_t distinctNeed = 0; // keywords the print needs in all, at most

    bool Short(int qid) const { return admitted.at(qid).size() < need.at(qid); }
    bool Met() const
    {
        if (allAdmitted.size() < distinctNeed)
            return false;
        return std::none_of(need.begin(), need.end(), [this](const auto& entry) { return Short(entry.first); });
    }
    void Let(int kid, int qid)
    {
        admitted[qid].insert(kid);
        allAdmitted.insert(kid);
    }
};

} // namespace

AutoSelectAvoidance::AutoSelectAvoidance(const LastTested& tested)
    : m_tested(tested)
{
}

std::vector<const Sentence*> AutoSelectAvoidance::Admit(
    const std::vector<const Sentence*>& pool, const std::map<int, int>& counts) const
{
    Demand demand;
    std::set<int> allKids;
    for (const Sentence* sentence : pool) {
        demand.kids[sentence->qid].insert(sentence->kid);
        allKids.insert(sentence->kid);
    }
    std::size_t totalNeed = 0;
    for (const auto& [qid, kids] : demand.kids) {
        const auto count = counts.find(qid);
        const std::size_t wanted = count == counts.end() ? 0 : static_cast<std::size_t>(std::max(count->second, 0));
        demand.need[qid] = std::min(wanted, kids.size());
        totalNeed += demand.need[qid];
        demand.admitted[qid];
        for (int kid : kids) {
            if (!m_tested.count(kid))
                demand.Let(kid, qid);
        }
    }
    demand.distinctNeed = std::min(totalNeed, allKids.size());

    if (!demand.Met()) {
        std::vector<int> tested;
        for (int kid : allKids) {
            if (m_tested.count(kid))
                tested.push_back(kid);
        }
        RandomGenerator::Shuffle(tested);
        std::stable_sort(
            tested.begin(), tested.end(), [this](int a, int b) { return m_tested.at(a) < m_tested.at(b); });
        for (int kid : tested) {
            if (demand.Met())
                break;
            bool helped = false;
            for (auto& [qid, kids] : demand.kids) {
                if (kids.count(kid) && demand.Short(qid)) {
                    demand.Let(kid, qid);
                    helped = true;
                }
            }
            if (helped || demand.allAdmitted.size() >= demand.distinctNeed)
                continue;
            for (auto& [qid, kids] : demand.kids) {
                if (kids.count(kid)) {
                    demand.Let(kid, qid);
                    break;
                }
            }
        }
    }

    std::vector<const Sentence*> admitted;
    for (const Sentence* sentence : pool) {
        if (demand.admitted[sentence->qid].count(sentence->kid))
            admitted.push_back(sentence);
    }
    return admitted;
}

int AutoSelectAvoidance::Repeats(const std::vector<const Sentence*>& chosen) const
{
    return static_cast<int>(std::count_if(
        chosen.begin(), chosen.end(), [this](const Sentence* sentence) { return m_tested.count(sentence->kid) != 0; }));
}
