#include "quiz/RangeIndex.h"

#include "model/IKRelations.h"
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
    return Keywords().count(keyword.kid) != 0;
}

const std::unordered_set<int>& RangeIndex::Keywords() const
{
    const std::lock_guard<std::mutex> lock(m_keywordsMutex);
    const std::size_t generation = IKRelations::Generation();
    if (m_keywordsBuilt && m_keywordsGeneration == generation)
        return m_keywords;
    m_keywords.clear();
    for (int iid : m_indexIds)
        for (int kid : IKRelations::KeywordsOf(iid))
            m_keywords.insert(kid);
    m_keywordsGeneration = generation;
    m_keywordsBuilt = true;
    return m_keywords;
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
