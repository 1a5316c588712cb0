#include "quiz/AutoSelectCluster.h"
#include "quiz/RandomGenerator.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using Items = std::vector<AutoSelectItem>;

template <typename F>
void OnFreshThread(F body)
{
    std::thread worker(body);
    worker.join();
}

std::vector<std::set<int>> QuestionsOf(const std::vector<AutoSelectCluster>& clusters)
{
    std::vector<std::set<int>> questions;
    for (const AutoSelectCluster& cluster : clusters)
        questions.push_back(cluster.Questions());
    return questions;
}

TEST(AutoSelectCluster, SplitsQuestionsConnectedThroughSharedKeywords)
{
    // 1-2 share 20, 2-4 share 30; 3 and 5 share 50; 6 stands alone.
    const auto clusters
        = AutoSelectCluster::Split({{10, 1}, {20, 1}, {20, 2}, {30, 2}, {30, 4}, {50, 3}, {50, 5}, {60, 5}, {70, 6}});
    EXPECT_EQ(QuestionsOf(clusters), (std::vector<std::set<int>>{{1, 2, 4}, {3, 5}, {6}}));
    EXPECT_EQ(clusters[0].Items(), (Items{{10, 1}, {20, 1}, {20, 2}, {30, 2}, {30, 4}}));
    EXPECT_EQ(clusters[1].Items(), (Items{{50, 3}, {50, 5}, {60, 5}}));
}

TEST(AutoSelectCluster, ReachesQuestionsWithLowerIdsThroughLaterOnes)
{
    // 1 links to 3 (keyword 9), 3 to 2 (keyword 1): one cluster, numbered
    // by its lowest question.
    const auto clusters = AutoSelectCluster::Split({{1, 2}, {1, 3}, {9, 1}, {9, 3}, {4, 5}});
    EXPECT_EQ(QuestionsOf(clusters), (std::vector<std::set<int>>{{1, 2, 3}, {5}}));
    EXPECT_TRUE(AutoSelectCluster::Split({}).empty());
}

TEST(AutoSelectCluster, NeedsAreCappedByKeywordsAndLimitCountsUnavoidableDuplicates)
{
    // Question 1 has keywords 1, 2; question 2 has 2, 3, 4; question 3 has 4.
    const auto cluster = AutoSelectCluster::Split({{1, 1}, {2, 1}, {2, 2}, {3, 2}, {4, 2}, {4, 3}}).at(0);
    AutoSelectProblem problem;
    OnFreshThread([&] { problem = cluster.Problem({{1, 5}, {2, 2}}); });
    EXPECT_EQ(problem.needs, (std::map<int, int>{{1, 2}, {2, 2}, {3, 0}})); // 3 has no count
    EXPECT_EQ(problem.limit, 0);                                            // 4 needed, 4 keywords

    OnFreshThread([&] { problem = cluster.Problem({{1, 2}, {2, 3}, {3, 1}}); });
    EXPECT_EQ(problem.limit, 2); // 6 needed, 4 keywords
}

TEST(AutoSelectCluster, SearchOrderIsShuffledThenFewestKeywordsFirst)
{
    // Question 1 has three keywords, question 2 two. From the generator's
    // first state the shuffle of the five items swaps positions 3 and 2,
    // then 4 and 0; sorting puts question 2 first without reordering
    // within a question.
    const auto cluster = AutoSelectCluster::Split({{1, 1}, {2, 1}, {3, 1}, {3, 2}, {4, 2}}).at(0);
    AutoSelectProblem problem;
    OnFreshThread([&] { problem = cluster.Problem({{1, 1}, {2, 1}}); });
    EXPECT_EQ(problem.items, (Items{{4, 2}, {3, 2}, {2, 1}, {3, 1}, {1, 1}}));
}

TEST(AutoSelectCluster, LongSearchOrderKeepsTheShuffledOrderAmongEqualCounts)
{
    // 45 items: a sort that is not stable would reorder those of one question.
    Items items;
    for (int kid = 1; kid <= 20; ++kid)
        items.push_back({kid, 1});
    for (int kid = 1; kid <= 5; ++kid)
        items.push_back({kid, 2});
    for (int kid = 1; kid <= 20; ++kid)
        items.push_back({kid + 100, 3});
    items.push_back({1, 3}); // links question 3 into the cluster
    std::sort(items.begin(), items.end(),
        [](const auto& a, const auto& b) { return std::pair(a.qid, a.kid) < std::pair(b.qid, b.kid); });
    const auto cluster = AutoSelectCluster::Split(items).at(0);
    ASSERT_EQ(cluster.Items(), items);

    Items shuffled = items;
    AutoSelectProblem problem;
    OnFreshThread([&] { RandomGenerator::Shuffle(shuffled); });
    OnFreshThread([&] { problem = cluster.Problem({}); });
    Items expected;
    for (int qid : {2, 1, 3}) { // 5, 20 and 21 keywords
        for (const AutoSelectItem& item : shuffled) {
            if (item.qid == qid)
                expected.push_back(item);
        }
    }
    EXPECT_EQ(problem.items, expected);
}

} // namespace
