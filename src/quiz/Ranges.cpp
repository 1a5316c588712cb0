#include "quiz/Ranges.h"

#include "quiz/RangeIndex.h"

Ranges::Ranges(std::vector<int> indexIds)
    : m_range(std::make_shared<RangeIndex>(std::move(indexIds)))
{
}

Ranges::Ranges(int attrClassId, RangeNumber::Intervals intervals)
    : m_range(std::make_shared<RangeNumber>(attrClassId, std::move(intervals)))
{
}

bool Ranges::Contains(const Keyword& keyword) const
{
    return m_range && m_range->Contains(keyword);
}

int Ranges::Type() const
{
    return m_range ? m_range->Type() : 0;
}

QString Ranges::Describe(const NodeStorage& storage) const
{
    return m_range ? m_range->Describe(storage) : QString();
}

bool Ranges::IsEmpty() const
{
    return !m_range || m_range->IsEmpty();
}

std::set<int> Ranges::IndexIds() const
{
    const std::vector<int> ids = OrderedIndexIds();
    return std::set<int>(ids.begin(), ids.end());
}

std::vector<int> Ranges::OrderedIndexIds() const
{
    if (Type() != Range::ByIndex)
        return {};
    return static_cast<const RangeIndex*>(m_range.get())->IndexIds();
}

const RangeNumber* Ranges::NumberRange() const
{
    if (Type() != Range::ByNumber)
        return nullptr;
    return static_cast<const RangeNumber*>(m_range.get());
}
