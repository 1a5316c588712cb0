#pragma once
// A range of table-of-contents entries: a keyword is in it when the book
// relates one of the entries to the keyword.
#include "quiz/Range.h"

#include <cstddef>
#include <mutex>
#include <unordered_set>
#include <vector>

class RangeIndex : public Range {
public:
    // The entries in the order given (the range dialog gives them in
    // table-of-contents order).
    explicit RangeIndex(std::vector<int> indexIds);

    bool Contains(const Keyword& keyword) const override;
    int Type() const override { return ByIndex; }
    // The runs of entries that follow one another in the table of contents,
    // each "first～last", joined by "、"; cut to fit a print's line.
    QString Describe(const NodeStorage& storage) const override;
    bool IsEmpty() const override { return m_indexIds.empty(); }

    const std::vector<int>& IndexIds() const { return m_indexIds; }

private:
    // The keywords of the entries, gathered once for the book's relations
    // (a word of a big book is then looked up once, not once per entry).
    const std::unordered_set<int>& Keywords() const;

    std::vector<int> m_indexIds;
    mutable std::mutex m_keywordsMutex;
    mutable std::unordered_set<int> m_keywords;
    mutable std::size_t m_keywordsGeneration = 0;
    mutable bool m_keywordsBuilt = false;
};
