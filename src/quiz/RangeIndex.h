#pragma once
// A range of table-of-contents entries: a keyword is in it when the book
// relates one of the entries to the keyword.
#include "quiz/Range.h"

#include <vector>

class RangeIndex : public Range {
public:
    // The entries in the order given (the range dialog gives them in
    // table-of-contents order).
    explicit RangeIndex(std::vector<int> indexIds);

    bool Contains(const Keyword& keyword) const override;
    int Type() const override { return ByIndex; }
    // The title of the first entry, or "first～last" for several entries.
    QString Describe(const NodeStorage& storage) const override;
    bool IsEmpty() const override { return m_indexIds.empty(); }

    const std::vector<int>& IndexIds() const { return m_indexIds; }

private:
    std::vector<int> m_indexIds;
};
