#include "quiz/RangeIndex.h"

#include "model/Keyword.h"
#include "model/NodeStorage.h"

namespace {

QString TitleOf(const NodeStorage& storage, int iid)
{
    const Index* index = storage.IndexPool().Find(iid);
    return index ? index->title : QString();
}

} // namespace

RangeIndex::RangeIndex(std::vector<int> indexIds)
    : m_indexIds(std::move(indexIds))
{
}

bool RangeIndex::Contains(const Keyword& keyword) const
{
    for (int iid : m_indexIds) {
        if (NodeStorage::HasRelation(iid, keyword.kid))
            return true;
    }
    return false;
}

QString RangeIndex::Describe(const NodeStorage& storage) const
{
    if (m_indexIds.empty())
        return QString();
    QString text = TitleOf(storage, m_indexIds.front());
    if (m_indexIds.size() > 1)
        text += QChar(0xFF5E) + TitleOf(storage, m_indexIds.back());
    return text;
}
