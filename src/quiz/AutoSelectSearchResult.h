#pragma once
// What the search of one cluster found.
#include <climits>
#include <map>
#include <set>

struct AutoSelectSearchResult {
    bool found = false;
    bool timedOut = false;
    // Duplicates of the assignment found (the uses beyond the first of every
    // keyword); 0 after a failed search, INT_MAX when it never started.
    int reportedCost = INT_MAX;
    // qid -> chosen keyword ids, one entry per question of the cluster
    // (empty sets when nothing was found).
    std::map<int, std::set<int>> chosen;
    // How many decisions the search made: a measure of its work.
    long long steps = 0;
};
