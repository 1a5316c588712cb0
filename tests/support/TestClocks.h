#pragma once
// Tick sources for tests of time-bounded searches. They never read the wall
// clock, so a slow or busy machine (valgrind, sanitizers) cannot make a
// search run out of time where the test expects it to finish.
#include "quiz/TickSource.h"

#include <memory>

// Time stands still: a search never runs out of time.
inline TickSource StoppedClock()
{
    return [] { return std::uint32_t{0}; };
}

// One millisecond passes every `readingsPerMs` readings: a time bound
// becomes a fixed amount of work, the same on every machine.
inline TickSource CountingClock(std::uint32_t readingsPerMs)
{
    auto readings = std::make_shared<std::uint64_t>(0);
    return [readings, readingsPerMs] { return static_cast<std::uint32_t>((*readings)++ / readingsPerMs); };
}
