#include "model/IKRelations.h"

#include <atomic>
#include <climits>
#include <set>

namespace {

std::set<std::pair<int, int>>& Pairs()
{
    static std::set<std::pair<int, int>> pairs;
    return pairs;
}

std::atomic<std::size_t> generation{0};

} // namespace

bool IKRelations::HasRelation(int iid, int kid)
{
    return Pairs().count({iid, kid}) != 0;
}

std::vector<int> IKRelations::KeywordsOf(int iid)
{
    std::vector<int> kids;
    for (auto it = Pairs().lower_bound({iid, INT_MIN}); it != Pairs().end() && it->first == iid; ++it)
        kids.push_back(it->second);
    return kids;
}

std::size_t IKRelations::Generation()
{
    return generation.load();
}

void IKRelations::ReplaceAll(const std::vector<std::pair<int, int>>& pairs)
{
    std::set<std::pair<int, int>> replacement(pairs.begin(), pairs.end());
    Pairs().swap(replacement);
    ++generation;
}

std::size_t IKRelations::Count()
{
    return Pairs().size();
}
