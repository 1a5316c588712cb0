#pragma once
// A group of questions that the automatic selection must settle together:
// questions are linked when they share a candidate keyword, and each
// connected group is one cluster. Questions of different clusters can never
// take the same keyword, so each cluster is searched on its own.
#include "quiz/AutoSelectItem.h"
#include "quiz/AutoSelectProblem.h"

#include <map>
#include <set>
#include <vector>

class AutoSelectCluster {
public:
    virtual ~AutoSelectCluster() = default;

    // Splits the distinct items of a print into clusters. Questions are
    // taken in ascending id order; each one not yet placed starts the next
    // cluster, which collects every question reachable from it through
    // shared keywords.
    static std::vector<AutoSelectCluster> Split(const std::vector<AutoSelectItem>& items);

    const std::set<int>& Questions() const { return m_qids; }
    // By ascending question id, then ascending keyword id.
    const std::vector<AutoSelectItem>& Items() const { return m_items; }

    // The search task for the requested counts (qid -> count; a question
    // without one counts 0): each question needs the smaller of its count
    // and its number of keywords; the duplicate limit is what the total
    // need exceeds the distinct keywords by, at least 0. The items come in
    // search order: shuffled with the program's generator, then stably
    // sorted so that questions with fewer keywords come first.
    AutoSelectProblem Problem(const std::map<int, int>& counts) const;

private:
    std::map<int, int> Needs(const std::map<int, int>& counts) const;
    int DuplicateLimit(const std::map<int, int>& needs) const;
    std::vector<AutoSelectItem> SearchOrder() const;

    std::set<int> m_qids;
    std::vector<AutoSelectItem> m_items;
};
