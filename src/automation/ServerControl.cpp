#include "automation/ServerControl.h"

#include <mutex>

namespace Automation {
namespace {

struct HandlerSlot {
    std::mutex mutex;
    ServerControl::AbandonHandler handler;
};

HandlerSlot& Slot()
{
    static HandlerSlot slot;
    return slot;
}

} // namespace

void ServerControl::SetAbandonHandler(AbandonHandler handler)
{
    HandlerSlot& slot = Slot();
    std::lock_guard lock(slot.mutex);
    slot.handler = std::move(handler);
}

bool ServerControl::Abandon()
{
    AbandonHandler handler;
    {
        HandlerSlot& slot = Slot();
        std::lock_guard lock(slot.mutex);
        handler = slot.handler;
    }
    if (!handler)
        return false;
    handler();
    return true;
}

} // namespace Automation
