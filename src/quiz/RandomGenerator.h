#pragma once
// The program's one source of random numbers: a linear congruential
// generator with one state per thread. A thread starts from the decimal
// value of TAVISKO_RANDOM_SEED when it is set, so runs can be repeated (the
// tests set it), and otherwise from a draw of the system's entropy, so a
// retest made after a new start does not repeat the last one.
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

class RandomGenerator {
public:
    // One raw draw, 0..32767; advances this thread's state.
    static int Draw();

    // A uniform integer in 0..n-1 built from raw draws; draws that would
    // favour low values are thrown away and drawn again. n must be >= 1.
    static std::uint32_t Below(std::uint32_t n);

    // Random shuffle: for i = 1..n-1, element i is swapped with element j,
    // j drawn uniformly from 0..i.
    template <typename T>
    static void Shuffle(std::vector<T>& items)
    {
        for (std::size_t i = 1; i < items.size(); ++i) {
            const std::size_t j = Below(static_cast<std::uint32_t>(i + 1));
            if (j != i)
                std::swap(items[i], items[j]);
        }
    }

    // This thread's state, as recorded with a selection, and a restart from
    // a recorded state (the draws that follow are those that followed it).
    static std::uint32_t State();
    static void Restart(std::uint32_t state);

    // The starting state given by a TAVISKO_RANDOM_SEED value: a decimal
    // number of 0..4294967295, nothing else (then the entropy is used).
    static std::optional<std::uint32_t> ParseSeed(std::string_view text);
};
