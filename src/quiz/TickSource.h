#pragma once
// A millisecond tick counter for time bounds. Only differences of two ticks
// mean anything; they are taken unsigned, so a wrap-around of the counter
// does no harm. Tests hand in their own source to make time pass at will.
#include <chrono>
#include <cstdint>
#include <functional>

using TickSource = std::function<std::uint32_t()>;

inline std::uint32_t SystemTickCount()
{
    using namespace std::chrono;
    const auto since = steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(duration_cast<milliseconds>(since).count());
}
