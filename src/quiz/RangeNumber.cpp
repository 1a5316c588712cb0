#include "quiz/RangeNumber.h"

#include "model/DecimalText.h"
#include "model/Keyword.h"
#include "model/NodeStorage.h"

#include <algorithm>

namespace {

QString DescribeInterval(const RangeNumber::Interval& interval)
{
    if (interval.first == interval.second)
        return DecimalText::Format(interval.first);
    return DecimalText::Format(interval.first) + QChar(0xFF5E) + DecimalText::Format(interval.second);
}

} // namespace

RangeNumber::RangeNumber(int attrClassId, Intervals intervals)
    : m_attrClassId(attrClassId)
    , m_intervals(std::move(intervals))
{
}

bool RangeNumber::Contains(const Keyword& keyword) const
{
    const Attr<int>* attr = keyword.Attribute(m_attrClassId, 0);
    // A text value counts as the number 0 (its integer part is 0).
    if (!attr)
        return false;
    const int value = attr->intValue;
    return std::any_of(m_intervals.begin(), m_intervals.end(),
        [value](const Interval& interval) { return interval.first <= value && value <= interval.second; });
}

QString RangeNumber::Describe(const NodeStorage& storage) const
{
    const AttrClass* attrClass = storage.AttrClassPool().Find(m_attrClassId);
    QString text = attrClass ? attrClass->long_name : QString();
    text += QLatin1Char(' ');
    for (std::size_t i = 0; i < m_intervals.size(); ++i) {
        if (i > 0)
            text += QStringLiteral(", ");
        text += DescribeInterval(m_intervals[i]);
    }
    return text;
}

bool RangeNumber::IsEmpty() const
{
    return std::all_of(
        m_intervals.begin(), m_intervals.end(), [](const Interval& interval) { return interval == Interval(0, 0); });
}
