#include "model/IKRelations.h"

#include <set>

namespace {

std::set<std::pair<int, int>>& Pairs()
{
    static std::set<std::pair<int, int>> pairs;
    return pairs;
}

} // namespace

bool IKRelations::HasRelation(int iid, int kid)
{
    return Pairs().count({iid, kid}) != 0;
}

void IKRelations::ReplaceAll(const std::vector<std::pair<int, int>>& pairs)
{
    std::set<std::pair<int, int>> replacement(pairs.begin(), pairs.end());
    Pairs().swap(replacement);
}

std::size_t IKRelations::Count()
{
    return Pairs().size();
}
