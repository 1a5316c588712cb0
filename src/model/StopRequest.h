#pragma once

// Whether the program has been asked to end (a termination signal) while
// long work holds the window's thread, where the signal's ordinary handling
// on the event loop cannot run. Such work asks between its steps and, when
// asked to stop, leaves the rest undone, so the event loop gets the signal
// at once and the program ends the ordinary way, keeping the teacher's
// selection.
class StopRequest {
public:
    static bool Pending();
    // Safe in a signal handler.
    static void Raise();
    // Once the event loop has taken the signal.
    static void Clear();
};
