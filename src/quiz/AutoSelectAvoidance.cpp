#include "quiz/AutoSelectAvoidance.h"

#include "model/Sentence.h"
#include "quiz/RandomGenerator.h"

#include <algorithm>

namespace {

// Sorted, without repeats.
void SortUnique(std::vector<int>& values)
{
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
}

std::size_t PositionOf(const std::vector<int>& sorted, int value)
{
    return static_cast<std::size_t>(std::lower_bound(sorted.begin(), sorted.end(), value) - sorted.begin());
}

bool Holds(const std::vector<int>& sorted, int value)
{
    return std::binary_search(sorted.begin(), sorted.end(), value);
}

// The keywords of one question format: sorted vectors with a flag per
// keyword rather than node-based sets, since a large book gives each
// format thousands of candidates and this runs once per print.
struct FormatDemand {
    std::vector<int> kids;      // its candidate keywords
    std::vector<char> admitted; // per entry of kids: let in
    std::size_t admittedCount = 0;
    std::size_t need = 0; // keywords it needs

    bool Short() const { return admittedCount < need; }
    bool Admitted(int kid) const
    {
        const std::size_t at = PositionOf(kids, kid);
        return at < kids.size() && kids[at] == kid && admitted[at];
    }
};

struct Demand {
    std::map<int, FormatDemand> formats; // by qid
    std::vector<int> allKids;
    std::vector<char> anyAdmitted; // per entry of allKids
    std::size_t allAdmittedCount = 0;
    std::size_t distinctNeed = 0; // keywords the print needs in all, at most

    bool Met() const
    {
        if (allAdmittedCount < distinctNeed)
            return false;
        return std::none_of(formats.begin(), formats.end(), [](const auto& entry) { return entry.second.Short(); });
    }
    void Let(FormatDemand& format, int kid)
    {
        char& inFormat = format.admitted[PositionOf(format.kids, kid)];
        if (!inFormat) {
            inFormat = 1;
            ++format.admittedCount;
        }
        char& inPrint = anyAdmitted[PositionOf(allKids, kid)];
        if (!inPrint) {
            inPrint = 1;
            ++allAdmittedCount;
        }
    }
};

// Lets in tested keywords, those tested longest ago first, until the
// demand is met: each for the formats still short of keywords, or, when
// none of them has it but the print still needs keywords in all, for the
// first format that has it. Ties among keywords tested in the same run
// are broken by the program's generator.
void LetInTested(Demand& demand, const AutoSelectAvoidance::LastTested& lastTested)
{
    std::vector<int> tested;
    for (int kid : demand.allKids) {
        if (lastTested.count(kid))
            tested.push_back(kid);
    }
    RandomGenerator::Shuffle(tested);
    std::stable_sort(
        tested.begin(), tested.end(), [&lastTested](int a, int b) { return lastTested.at(a) < lastTested.at(b); });
    for (int kid : tested) {
        if (demand.Met())
            break;
        bool helped = false;
        for (auto& [qid, format] : demand.formats) {
            if (format.Short() && Holds(format.kids, kid)) {
                demand.Let(format, kid);
                helped = true;
            }
        }
        if (helped || demand.allAdmittedCount >= demand.distinctNeed)
            continue;
        for (auto& [qid, format] : demand.formats) {
            if (Holds(format.kids, kid)) {
                demand.Let(format, kid);
                break;
            }
        }
    }
}

} // namespace

AutoSelectAvoidance::AutoSelectAvoidance(const LastTested& tested)
    : m_tested(tested)
{
}

std::vector<const Sentence*> AutoSelectAvoidance::Admit(
    const std::vector<const Sentence*>& pool, const std::map<int, int>& counts) const
{
    Demand demand;
    for (const Sentence* sentence : pool) {
        demand.formats[sentence->qid].kids.push_back(sentence->kid);
        demand.allKids.push_back(sentence->kid);
    }
    SortUnique(demand.allKids);
    demand.anyAdmitted.assign(demand.allKids.size(), 0);
    std::size_t totalNeed = 0;
    for (auto& [qid, format] : demand.formats) {
        SortUnique(format.kids);
        format.admitted.assign(format.kids.size(), 0);
        const auto count = counts.find(qid);
        const std::size_t wanted = count == counts.end() ? 0 : static_cast<std::size_t>(std::max(count->second, 0));
        format.need = std::min(wanted, format.kids.size());
        totalNeed += format.need;
        for (int kid : format.kids) {
            if (!m_tested.count(kid))
                demand.Let(format, kid);
        }
    }
    demand.distinctNeed = std::min(totalNeed, demand.allKids.size());

    if (!demand.Met())
        LetInTested(demand, m_tested);

    std::vector<const Sentence*> admitted;
    for (const Sentence* sentence : pool) {
        if (demand.formats.at(sentence->qid).Admitted(sentence->kid))
            admitted.push_back(sentence);
    }
    return admitted;
}

int AutoSelectAvoidance::Repeats(const std::vector<const Sentence*>& chosen) const
{
    return static_cast<int>(std::count_if(
        chosen.begin(), chosen.end(), [this](const Sentence* sentence) { return m_tested.count(sentence->kid) != 0; }));
}
