#pragma once
// A range of number intervals over one numeric keyword attribute: a keyword
// is in it when its first value of that attribute class lies in one of the
// closed intervals.
#include "quiz/Range.h"

#include <utility>
#include <vector>

class RangeNumber : public Range {
public:
    using Interval = std::pair<int, int>; // (low, high), both included
    using Intervals = std::vector<Interval>;

    RangeNumber(int attrClassId, Intervals intervals);

    bool Contains(const Keyword& keyword) const override;
    int Type() const override { return ByNumber; }
    // The class's long name, a space, then the intervals ("10～20, 25").
    QString Describe(const NodeStorage& storage) const override;
    // True unless some interval differs from (0, 0).
    bool IsEmpty() const override;

    int AttrClassId() const { return m_attrClassId; }
    const Intervals& GetIntervals() const { return m_intervals; }

private:
    int m_attrClassId;
    Intervals m_intervals;
};
