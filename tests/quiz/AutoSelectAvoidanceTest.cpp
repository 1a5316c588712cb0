// Which candidates the avoidance of tested keywords lets through: only
// untested ones while they suffice, else as few tested ones as the counts
// and the spread over the formats need, those tested longest ago first.
#include "quiz/AutoSelectAvoidance.h"

#include "model/Sentence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <set>

namespace {

// Formats 1 and 2, each with one sentence for every keyword 1..10.
class Avoidance : public testing::Test {
protected:
    void SetUp() override
    {
        for (int qid : {1, 2}) {
            for (int kid = 1; kid <= 10; ++kid) {
                Sentence& sentence = sentences.emplace_back();
                sentence.sid = qid * 100 + kid;
                sentence.qid = qid;
                sentence.kid = kid;
                pool.push_back(&sentence);
            }
        }
    }

    // The keywords let through, per format.
    std::map<int, std::set<int>> Admitted(const AutoSelectAvoidance::LastTested& tested, std::map<int, int> counts)
    {
        std::map<int, std::set<int>> kids;
        for (const Sentence* sentence : AutoSelectAvoidance(tested).Admit(pool, counts))
            kids[sentence->qid].insert(sentence->kid);
        return kids;
    }

    std::deque<Sentence> sentences;
    std::vector<const Sentence*> pool;
};

TEST_F(Avoidance, UntestedWhileTheySufficeThenTheOldestForTheFormatsThatLack)
{
    // Keywords 1 and 2 were tested in run 10, 3 to 8 in run 20.
    AutoSelectAvoidance::LastTested tested{{1, 10}, {2, 10}};
    for (int kid = 3; kid <= 8; ++kid)
        tested[kid] = 20;

    // Two untested keywords per format suffice for one each (and two in all).
    const std::set<int> untested{9, 10};
    EXPECT_EQ(Admitted(tested, {{1, 1}, {2, 1}}), (std::map<int, std::set<int>>{{1, untested}, {2, untested}}));
    EXPECT_TRUE(Admitted({}, {{1, 4}, {2, 4}}).at(1).size() == 10);

    // Four each (eight keywords in all, so that no keyword serves both
    // formats): both formats take 1 and 2 first; the four more the print
    // needs come from run 20, for the first format only.
    const auto admitted = Admitted(tested, {{1, 4}, {2, 4}});
    EXPECT_EQ(admitted.at(2), (std::set<int>{1, 2, 9, 10}));
    ASSERT_EQ(admitted.at(1).size(), 8u);
    EXPECT_TRUE(
        std::includes(admitted.at(1).begin(), admitted.at(1).end(), admitted.at(2).begin(), admitted.at(2).end()));

    // Repeats count sentences of keywords tested within the look-back.
    EXPECT_EQ(AutoSelectAvoidance(tested).Repeats({pool[0], pool[8], pool[9]}), 1);
}

} // namespace
