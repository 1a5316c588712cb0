#pragma once
// A question range: which keywords of the book a test covers. A range is
// never changed after it is made, so copies of the current range may share
// one object.
#include <QString>

class Keyword;
class NodeStorage;

class Range {
public:
    enum RangeType : int { ByIndex = 1, ByNumber = 2 };

    virtual ~Range() = default;

    virtual bool Contains(const Keyword& keyword) const = 0;
    virtual int Type() const = 0;
    // The short text a print shows as its range.
    virtual QString Describe(const NodeStorage& storage) const = 0;
    // Whether the range selects nothing.
    virtual bool IsEmpty() const = 0;
};
