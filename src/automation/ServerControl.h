#pragma once

#include <functional>

namespace Automation {

// How a caller gives up on a word processor that has stopped answering:
// the backend that runs the application process registers the handler
// that ends it. Ending it makes every call still waiting on it fail, and
// the next CreateObject starts the application afresh. The handler may be
// called from any thread.
class ServerControl {
public:
    using AbandonHandler = std::function<void()>;

    static void SetAbandonHandler(AbandonHandler handler);
    // Ends the application process; false when no backend registered a
    // handler (nothing was done).
    static bool Abandon();
};

} // namespace Automation
