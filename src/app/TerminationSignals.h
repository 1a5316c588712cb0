#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

// Turns the signals that ask a desktop program to end (SIGTERM at logout or
// shutdown, SIGINT from a terminal, SIGHUP when the terminal goes away)
// into a call on the event loop's thread, so that the program can quit the
// ordinary way and save the teacher's work instead of dying on the spot.
// While an object exists, those signals call `onSignal` once the event loop
// runs; destroying it puts the previous handlers back. One object at a time.
class TerminationSignals : public QObject {
public:
    explicit TerminationSignals(std::function<void(int signal)> onSignal);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // Whether the handlers are in place (false when no pipe could be made;
    // the signals then keep their previous effect).
    bool IsActive() const { return m_active; }

private:
    void Dispatch();

    std::function<void(int)> m_onSignal;
    std::unique_ptr<QSocketNotifier> m_notifier;
    bool m_active = false;
};
