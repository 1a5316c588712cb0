#pragma once
// The search task of one cluster of questions: choose for every question
// exactly its need of keywords from its items, so that the keywords used by
// more than one question add up to no more than the duplicate limit.
#include "quiz/AutoSelectItem.h"

#include <cstdint>
#include <map>
#include <vector>

struct AutoSelectProblem {
    // A search that runs longer than this gives up (and says so).
    static constexpr std::uint32_t kTimeLimitMs = 5000;

    // Distinct (keyword, question) pairs, in the order the search decides them.
    std::vector<AutoSelectItem> items;
    std::map<int, int> needs; // qid -> number of keywords it must get
    int limit = 0;            // duplicates allowed in the result
};
