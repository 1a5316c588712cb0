#include "quiz/RandomGenerator.h"

#include <QByteArray>
#include <QtGlobal>
#include <gtest/gtest.h>

#include <thread>

namespace {

// Runs the body on a fresh thread, whose generator starts from the tests'
// seed 1, so the expected sequences do not depend on what other tests drew
// before.
template <typename F>
void OnFreshThread(F body)
{
    std::thread worker(body);
    worker.join();
}

TEST(RandomGenerator, FirstDrawsFromStateOne)
{
    std::vector<int> draws;
    OnFreshThread([&] {
        for (int i = 0; i < 10; ++i)
            draws.push_back(RandomGenerator::Draw());
    });
    EXPECT_EQ(draws, (std::vector<int>{41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464}));
}

TEST(RandomGenerator, EachThreadStartsItsOwnSequence)
{
    int first = -1;
    OnFreshThread([&] {
        RandomGenerator::Draw();
        RandomGenerator::Draw();
    });
    OnFreshThread([&] { first = RandomGenerator::Draw(); });
    EXPECT_EQ(first, 41);
}

TEST(RandomGenerator, BelowCombinesTwoDrawsForLargeBounds)
{
    // 41 * 32768 + 18467 = 1361955, taken modulo 100000.
    std::uint32_t value = 0;
    OnFreshThread([&] { value = RandomGenerator::Below(100000); });
    EXPECT_EQ(value, 61955u);
}

TEST(RandomGenerator, BelowOneTakesNoDraw)
{
    std::uint32_t zero = 99;
    int next = -1;
    OnFreshThread([&] {
        zero = RandomGenerator::Below(1);
        next = RandomGenerator::Draw();
    });
    EXPECT_EQ(zero, 0u);
    EXPECT_EQ(next, 41);
}

TEST(RandomGenerator, ShuffleFromStateOne)
{
    // Draws 41, 18467, 6334, 26500, 19169 pick j = 1, 2, 2, 0, 5.
    std::vector<int> items{0, 1, 2, 3, 4, 5};
    OnFreshThread([&] { RandomGenerator::Shuffle(items); });
    EXPECT_EQ(items, (std::vector<int>{4, 1, 3, 2, 0, 5}));
}

TEST(RandomGenerator, ShuffleOfShortListsDrawsNothing)
{
    int next = -1;
    std::vector<int> empty;
    std::vector<int> one{7};
    OnFreshThread([&] {
        RandomGenerator::Shuffle(empty);
        RandomGenerator::Shuffle(one);
        next = RandomGenerator::Draw();
    });
    EXPECT_EQ(one, std::vector<int>{7});
    EXPECT_EQ(next, 41);
}

// Sets TAVISKO_RANDOM_SEED (or removes it for a null value) while it lives;
// threads started meanwhile take their starting state from it.
class SeedVariable {
public:
    explicit SeedVariable(const char* value)
        : m_old(qgetenv("TAVISKO_RANDOM_SEED"))
    {
        if (value)
            qputenv("TAVISKO_RANDOM_SEED", value);
        else
            qunsetenv("TAVISKO_RANDOM_SEED");
    }
    ~SeedVariable() { qputenv("TAVISKO_RANDOM_SEED", m_old); }

private:
    QByteArray m_old;
};

std::vector<int> FirstDrawsOfAFreshThread()
{
    std::vector<int> draws;
    OnFreshThread([&] {
        for (int i = 0; i < 8; ++i)
            draws.push_back(RandomGenerator::Draw());
    });
    return draws;
}

TEST(RandomGenerator, ThreadsStartFromTheSeedWhenSetAndFromEntropyOtherwise)
{
    {
        SeedVariable seed("4000000000");
        const auto first = FirstDrawsOfAFreshThread();
        EXPECT_EQ(FirstDrawsOfAFreshThread(), first);
        std::uint32_t start = 0;
        OnFreshThread([&] { start = RandomGenerator::State(); });
        EXPECT_EQ(start, 4000000000u);
    }
    {
        // Two starts without a seed: eight draws alike by chance are far
        // less likely than one in 2^32.
        SeedVariable none(nullptr);
        EXPECT_NE(FirstDrawsOfAFreshThread(), FirstDrawsOfAFreshThread());
    }
    {
        // A value that is no decimal number is not taken as a seed.
        SeedVariable bad("12abc");
        EXPECT_NE(FirstDrawsOfAFreshThread(), FirstDrawsOfAFreshThread());
    }
}

TEST(RandomGenerator, ParsesOnlyPlainDecimalSeeds)
{
    EXPECT_EQ(RandomGenerator::ParseSeed("0"), 0u);
    EXPECT_EQ(RandomGenerator::ParseSeed("4294967295"), 4294967295u);
    EXPECT_EQ(RandomGenerator::ParseSeed("4294967296"), std::nullopt);
    for (const char* bad : {"", "-1", "+1", " 1", "1 ", "0x10", "1.5"})
        EXPECT_EQ(RandomGenerator::ParseSeed(bad), std::nullopt) << bad;
}

TEST(RandomGenerator, RestartRepeatsTheDrawsThatFollowedAState)
{
    std::vector<int> after;
    std::vector<int> again;
    OnFreshThread([&] {
        RandomGenerator::Draw();
        const std::uint32_t saved = RandomGenerator::State();
        for (int i = 0; i < 5; ++i)
            after.push_back(RandomGenerator::Draw());
        RandomGenerator::Restart(saved);
        for (int i = 0; i < 5; ++i)
            again.push_back(RandomGenerator::Draw());
    });
    EXPECT_EQ(after, again);
    EXPECT_EQ(after.front(), 18467);
}

} // namespace
