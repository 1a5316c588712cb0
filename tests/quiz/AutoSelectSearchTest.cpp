#include "quiz/AutoSelectSearch.h"
#include "support/ReferenceAutoSelectSearch.h"
#include "support/TestClocks.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Chosen = std::map<int, std::set<int>>;

AutoSelectProblem Problem(std::vector<AutoSelectItem> items, std::map<int, int> needs, int limit)
{
    return AutoSelectProblem{std::move(items), std::move(needs), limit};
}

// A tick source that moves on by `step` milliseconds at every reading.
TickSource Advancing(std::uint32_t step, std::uint32_t start = 0)
{
    auto now = std::make_shared<std::uint32_t>(start);
    return [now, step] {
        const std::uint32_t tick = *now;
        *now += step;
        return tick;
    };
}

TEST(AutoSelectSearch, TakesItemsInSearchOrderWhileNeedsAreOpen)
{
    // Two questions with their own keywords: the first items of each win.
    const auto result
        = AutoSelectSearch(StoppedClock()).Run(Problem({{3, 1}, {1, 1}, {2, 1}, {7, 2}, {5, 2}}, {{1, 2}, {2, 1}}, 0));
    EXPECT_TRUE(result.found);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.reportedCost, 0);
    EXPECT_EQ(result.chosen, (Chosen{{1, {1, 3}}, {2, {7}}}));
}

TEST(AutoSelectSearch, SharedOnlyKeywordIsUsedTwiceWithinTheLimit)
{
    const auto result = AutoSelectSearch(StoppedClock()).Run(Problem({{9, 1}, {9, 2}}, {{1, 1}, {2, 1}}, 1));
    EXPECT_TRUE(result.found);
    EXPECT_EQ(result.reportedCost, 1);
    EXPECT_EQ(result.chosen, (Chosen{{1, {9}}, {2, {9}}}));
}

TEST(AutoSelectSearch, PassesAnEarlyItemThatWouldForceADuplicateLater)
{
    // Question 2 can only have keyword 1; question 1 must leave it.
    const auto result = AutoSelectSearch(StoppedClock()).Run(Problem({{1, 1}, {2, 1}, {1, 2}}, {{1, 1}, {2, 1}}, 0));
    EXPECT_TRUE(result.found);
    EXPECT_EQ(result.reportedCost, 0);
    EXPECT_EQ(result.chosen, (Chosen{{1, {2}}, {2, {1}}}));
}

TEST(AutoSelectSearch, FailsWhenTwoQuestionsMustShareWithoutAllowance)
{
    // P {k1}, Q {k1}, R {k1, k2, k3}, one each: three needed, three keywords,
    // so no duplicate is allowed, yet P and Q both have only k1.
    const auto result = AutoSelectSearch(StoppedClock())
                            .Run(Problem({{1, 1}, {1, 2}, {1, 3}, {2, 3}, {3, 3}}, {{1, 1}, {2, 1}, {3, 1}}, 0));
    EXPECT_FALSE(result.found);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.reportedCost, 0);
    EXPECT_EQ(result.chosen, (Chosen{{1, {}}, {2, {}}, {3, {}}}));
}

TEST(AutoSelectSearch, ImpossibleNeedsFailAtOnce)
{
    AutoSelectSearch search;
    EXPECT_FALSE(search.Run(Problem({{1, 1}}, {{1, 2}}, 5)).found);  // more than its items
    EXPECT_FALSE(search.Run(Problem({{1, 1}}, {{1, -1}}, 5)).found); // below zero
    EXPECT_FALSE(search.Run(Problem({{1, 1}}, {{1, 0}}, -1)).found); // no limit to stay in
    const auto nothing = search.Run(Problem({{1, 1}}, {{1, 0}}, 0));
    EXPECT_TRUE(nothing.found);
    EXPECT_EQ(nothing.chosen, (Chosen{{1, {}}}));
}

TEST(AutoSelectSearch, TimeBoundEndsTheSearchLikeTheDepthFirstOne)
{
    // Seven decisions: the clock passes the bound before the sixth.
    const auto problem = Problem({{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}}, {{1, 6}}, 0);
    for (std::uint32_t step : {6000u, 1000u}) {
        // Wrap-around of the tick counter must not matter.
        const auto fast = AutoSelectSearch(Advancing(step, 0xFFFFF000u)).Run(problem);
        const auto plain = ReferenceAutoSelectSearch(Advancing(step, 0xFFFFF000u)).Run(problem);
        EXPECT_TRUE(fast.timedOut) << step;
        EXPECT_FALSE(fast.found) << step;
        EXPECT_EQ(fast.reportedCost, plain.reportedCost) << step;
        EXPECT_EQ(fast.timedOut, plain.timedOut) << step;
        EXPECT_EQ(fast.reportedCost, step > 5000 ? INT_MAX : 0) << step;
    }
    EXPECT_TRUE(AutoSelectSearch(Advancing(1, 0xFFFFFFF0u)).Run(problem).found);
}

// Random clusters small enough for the plain search: both must agree on
// everything it reports.
struct RandomCase {
    AutoSelectProblem problem;
    std::string text;
};

RandomCase MakeRandomCase(std::mt19937& random, bool clusterLimit, int maxQuestions = 4, int maxKeywords = 6)
{
    std::uniform_int_distribution<int> questionCount(1, maxQuestions), keywordCount(1, maxKeywords), percent(0, 99);
    const int questions = questionCount(random);
    const int keywords = keywordCount(random);
    const int density = 30 + percent(random) * 6 / 10;
    RandomCase c;
    std::map<int, int> itemsOf;
    for (int q = 1; q <= questions; ++q) {
        for (int k = 1; k <= keywords; ++k) {
            if (percent(random) < density) {
                c.problem.items.push_back({k * 10, q});
                ++itemsOf[q];
            }
        }
    }
    std::shuffle(c.problem.items.begin(), c.problem.items.end(), random);
    int total = 0;
    std::set<int> distinct;
    for (const AutoSelectItem& item : c.problem.items)
        distinct.insert(item.kid);
    for (int q = 1; q <= questions; ++q) {
        const int count = std::uniform_int_distribution<int>(0, 4)(random);
        const int need = clusterLimit ? std::min(count, itemsOf[q]) : count;
        c.problem.needs[q] = need;
        total += need;
    }
    c.problem.limit = clusterLimit ? std::max(0, total - static_cast<int>(distinct.size()))
                                   : std::uniform_int_distribution<int>(0, 3)(random);
    c.text = "limit " + std::to_string(c.problem.limit) + " needs";
    for (const auto& [q, need] : c.problem.needs)
        c.text += " " + std::to_string(q) + ":" + std::to_string(need);
    c.text += " items";
    for (const AutoSelectItem& item : c.problem.items)
        c.text += " " + std::to_string(item.kid) + "/" + std::to_string(item.qid);
    return c;
}

TEST(AutoSelectSearch, AgreesWithThePlainDepthFirstSearch)
{
    std::mt19937 random(20240611);
    int found = 0, failed = 0, withDuplicates = 0;
    for (int n = 0; n < 3000; ++n) {
        const RandomCase c = MakeRandomCase(random, n % 3 != 0);
        const auto plain = ReferenceAutoSelectSearch(StoppedClock()).Run(c.problem);
        ASSERT_FALSE(plain.timedOut) << c.text;
        const auto fast = AutoSelectSearch(StoppedClock()).Run(c.problem);
        ASSERT_EQ(fast.found, plain.found) << c.text;
        ASSERT_EQ(fast.timedOut, plain.timedOut) << c.text;
        ASSERT_EQ(fast.reportedCost, plain.reportedCost) << c.text;
        ASSERT_EQ(fast.chosen, plain.chosen) << c.text;
        ASSERT_LE(fast.steps, static_cast<long long>(c.problem.items.size()) + 1) << c.text;
        found += plain.found;
        failed += !plain.found;
        withDuplicates += plain.reportedCost > 0;
    }
    // The generator must reach every kind of outcome, or the test proves little.
    EXPECT_GT(found, 500);
    EXPECT_GT(failed, 300);
    EXPECT_GT(withDuplicates, 200);
}

TEST(AutoSelectSearch, AgreesWithThePlainSearchOnLargerClustersItFinishes)
{
    // The plain search gets a clock that counts its steps (its time bound
    // becomes 500,000 steps); cases it cannot finish within them are skipped.
    std::mt19937 random(99);
    int compared = 0;
    for (int n = 0; n < 60; ++n) {
        const RandomCase c = MakeRandomCase(random, true, 9, 14);
        const auto plain = ReferenceAutoSelectSearch(CountingClock(100)).Run(c.problem);
        if (plain.timedOut)
            continue;
        const auto fast = AutoSelectSearch(StoppedClock()).Run(c.problem);
        ASSERT_EQ(fast.found, plain.found) << c.text;
        ASSERT_FALSE(fast.timedOut) << c.text;
        ASSERT_EQ(fast.reportedCost, plain.reportedCost) << c.text;
        ASSERT_EQ(fast.chosen, plain.chosen) << c.text;
        ++compared;
    }
    EXPECT_GT(compared, 30);
}

} // namespace
