#include "quiz/AutoSelector.h"

#include "model/Sentence.h"
#include "quiz/AutoSelectAvoidance.h"
#include "quiz/AutoSelectCluster.h"
#include "quiz/AutoSelectSearch.h"
#include "quiz/Model.h"
#include "quiz/RandomGenerator.h"

AutoSelector::AutoSelector(Model& model, ClusterSearch search)
    : m_model(model)
    , m_search(std::move(search))
{
    if (!m_search)
        m_search = [](const AutoSelectProblem& problem) { return AutoSelectSearch().Run(problem); };
}

int AutoSelector::Select(AutoSelectOutcome& outcome, const std::vector<int>& qids, const std::map<int, int>& counts,
    const AutoSelectAvoidance* avoidance)
{
    const std::vector<const Sentence*> pool = avoidance ? avoidance->Admit(Pool(qids), counts) : Pool(qids);
    std::set<AutoSelectItem> items;
    for (const Sentence* sentence : pool)
        items.insert({sentence->kid, sentence->qid});

    outcome = AutoSelectOutcome();
    std::map<int, std::set<int>> chosen;
    for (const AutoSelectCluster& cluster :
        AutoSelectCluster::Split(std::vector<AutoSelectItem>(items.begin(), items.end()))) {
        const AutoSelectSearchResult result = m_search(cluster.Problem(counts));
        outcome.tooFew = true;
        outcome.duplicates = outcome.duplicates || result.reportedCost > 0;
        outcome.timedOut = outcome.timedOut || result.timedOut;
        if (!result.found)
            return 0;
        chosen.insert(result.chosen.begin(), result.chosen.end());
    }

    ChooseSentences(pool, chosen, outcome);
    if (avoidance)
        outcome.repeats = avoidance->Repeats(outcome.sentences);
    long long requested = 0;
    for (int qid : std::set<int>(qids.begin(), qids.end())) {
        const auto count = counts.find(qid);
        requested += count == counts.end() ? 0 : count->second;
    }
    if (requested == static_cast<long long>(outcome.sentences.size()))
        outcome.tooFew = false;
    return static_cast<int>(outcome.sentences.size());
}

// The candidates of every question, in question order.
std::vector<const Sentence*> AutoSelector::Pool(const std::vector<int>& qids)
{
    std::vector<const Sentence*> pool;
    std::vector<const Sentence*> candidates;
    for (int qid : qids) {
        m_model.CandidateSentences(candidates, qid);
        pool.insert(pool.end(), candidates.begin(), candidates.end());
    }
    return pool;
}

// Questions in ascending id order; within each, its keywords in random
// order, each with one of its sentences picked at random.
void AutoSelector::ChooseSentences(
    const std::vector<const Sentence*>& pool, const std::map<int, std::set<int>>& chosen, AutoSelectOutcome& outcome)
{
    std::map<GroupKey, Group> groups;
    for (const Sentence* sentence : pool)
        groups[{sentence->kid, sentence->qid}].push_back(sentence);
    for (const auto& [qid, kids] : chosen) {
        std::vector<int> order(kids.begin(), kids.end());
        RandomGenerator::Shuffle(order);
        for (int kid : order) {
            const Group& group = groups[{kid, qid}];
            outcome.sentences.push_back(group[static_cast<std::size_t>(RandomGenerator::Draw()) % group.size()]);
        }
    }
}
