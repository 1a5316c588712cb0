#pragma once
// The current range of the model: a shared, never-modified Range, or none
// (the empty range, which contains no keyword). Copies share the range.
#include "quiz/Range.h"
#include "quiz/RangeNumber.h"

#include <memory>
#include <set>
#include <vector>

class Ranges {
public:
    // The empty range.
    Ranges() = default;
    // A range of table-of-contents entries, in the order given.
    explicit Ranges(std::vector<int> indexIds);
    // A range of number intervals over attribute class `attrClassId`.
    Ranges(int attrClassId, RangeNumber::Intervals intervals);
    virtual ~Ranges() = default;

    Ranges(const Ranges&) = default;
    Ranges& operator=(const Ranges&) = default;

    // Null for the empty range.
    const Range* Get() const { return m_range.get(); }
    bool IsNull() const { return !m_range; }

    bool Contains(const Keyword& keyword) const;
    // Range::ByIndex, Range::ByNumber, or 0 for the empty range.
    int Type() const;
    // Empty text for the empty range.
    QString Describe(const NodeStorage& storage) const;
    // True for the empty range too.
    bool IsEmpty() const;

    // The entries of an index range, ascending; empty for any other range.
    std::set<int> IndexIds() const;
    // The entries of an index range in their own order; empty otherwise.
    std::vector<int> OrderedIndexIds() const;
    // The number range, or null for any other range.
    const RangeNumber* NumberRange() const;

private:
    std::shared_ptr<const Range> m_range;
};
