#pragma once
// The program's one source of random numbers: a linear congruential
// generator with one state per thread. The state is 1 when a thread starts
// and is never reseeded, so every run of the program draws the same sequence
// (the first automatic selection after start-up is reproducible).
#include <cstdint>
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
};
