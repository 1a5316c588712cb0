#include "quiz/RandomGenerator.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// Runs the body on a fresh thread, whose generator state is still 1, so
// the expected sequences do not depend on what other tests drew before.
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

} // namespace
