#include "model/StopRequest.h"

#include <atomic>

namespace {

std::atomic<bool> pending{false};
static_assert(std::atomic<bool>::is_always_lock_free, "raised from a signal handler");

} // namespace

bool StopRequest::Pending()
{
    return pending.load(std::memory_order_relaxed);
}

void StopRequest::Raise()
{
    pending.store(true, std::memory_order_relaxed);
}

void StopRequest::Clear()
{
    pending.store(false, std::memory_order_relaxed);
}
