#pragma once
// Fills one print automatically: for every selected question format it
// picks the requested number of candidate sentences so that, within the
// print, no keyword serves two formats where this can be avoided.
#include "quiz/AutoSelectItem.h"
#include "quiz/AutoSelectOutcome.h"
#include "quiz/AutoSelectProblem.h"
#include "quiz/AutoSelectSearchResult.h"

#include <functional>
#include <map>
#include <set>
#include <utility>
#include <vector>

class AutoSelectAvoidance;
class Model;

class AutoSelector {
public:
    // How one cluster is searched; tests and benchmarks put other searches in.
    using ClusterSearch = std::function<AutoSelectSearchResult(const AutoSelectProblem&)>;

    // Searches with AutoSelectSearch and the system tick counter unless told otherwise.
    explicit AutoSelector(Model& model, ClusterSearch search = {});
    virtual ~AutoSelector() = default;

    // Chooses the sentences of one print from the candidates of the current
    // range, for the questions `qids` and the requested counts (qid ->
    // count). Returns the number of sentences chosen; 0 means failure (a
    // cluster could not be settled within the duplicate limit or in time,
    // or no sentence could be chosen at all). Draws from the program's
    // generator, so two calls normally choose differently. With
    // `avoidance`, the keywords it keeps out are left out of the candidates
    // as far as the counts allow, and the outcome counts the repeats.
    int Select(AutoSelectOutcome& outcome, const std::vector<int>& qids, const std::map<int, int>& counts,
        const AutoSelectAvoidance* avoidance = nullptr);

private:
    using Group = std::vector<const Sentence*>;
    using GroupKey = std::pair<int, int>; // (kid, qid)

    std::vector<const Sentence*> Pool(const std::vector<int>& qids);
    static void ChooseSentences(const std::vector<const Sentence*>& pool, const std::map<int, std::set<int>>& chosen,
        AutoSelectOutcome& outcome);

    Model& m_model;
    ClusterSearch m_search;
};
