#pragma once

#include <cstddef>
#include <utility>
#include <vector>

// The index–keyword relations of the current book: one process-wide set of
// (iid, kid) pairs, replaced as a whole when a book has been selected.
class IKRelations {
public:
    static bool HasRelation(int iid, int kid);
    // The keywords related to an entry, in kid order.
    static std::vector<int> KeywordsOf(int iid);
    // Changes whenever the set is replaced, so that what is built from it
    // can tell that it is out of date.
    static std::size_t Generation();
    // Duplicate pairs collapse.
    static void ReplaceAll(const std::vector<std::pair<int, int>>& pairs);
    static std::size_t Count();
};
