#include "quiz/RandomGenerator.h"

#include <charconv>
#include <cstdlib>
#include <random>

namespace {

std::uint32_t StartingState()
{
    if (const char* seed = std::getenv("TAVISKO_RANDOM_SEED")) {
        if (const auto state = RandomGenerator::ParseSeed(seed))
            return *state;
    }
    std::random_device entropy;
    return static_cast<std::uint32_t>(entropy());
}

thread_local std::uint32_t state = StartingState();

} // namespace

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

std::uint32_t RandomGenerator::State()
{
    return state;
}

void RandomGenerator::Restart(std::uint32_t newState)
{
    state = newState;
}

std::optional<std::uint32_t> RandomGenerator::ParseSeed(std::string_view text)
{
    std::uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, 10);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}
