#include "quiz/RandomGenerator.h"

namespace {
thread_local std::uint32_t state = 1;
}

int RandomGenerator::Draw()
{
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

std::uint32_t RandomGenerator::Below(std::uint32_t n)
{
    if (n == 0)
        return 0;
    for (;;) {
        std::uint32_t value = 0;
        std::uint32_t mask = 0;
        while (mask < n - 1) {
            value = value * 32768u + static_cast<std::uint32_t>(Draw());
            mask = mask * 32768u + 32767u;
        }
        if (value / n < mask / n || mask % n == n - 1)
            return value % n;
    }
}
