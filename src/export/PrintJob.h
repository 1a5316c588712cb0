#pragma once

#include "export/PrintRequest.h"
#include "print/RunFailure.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>
#include <thread>

// One print run on a thread of its own, so that the window keeps painting
// and answering while the word processor works: the thread of the event
// loop follows its progress, can cancel it, and gives up on a word
// processor that makes no progress for the stall limit (its process is
// ended; the run fails, and the next run starts a fresh one). Progress is
// a step ended, or a call answered within a long step.
//
// A cancelled run stops after the step in progress and discards its
// document; a word processor that does not get to the end of that step
// within the cancel grace is ended as a stuck one is.
class PrintJob : public QObject {
    Q_OBJECT

public:
    enum class Outcome { Running, Succeeded, Failed, Cancelled, Stalled };

    // No progress for this long ends the run (the office's own start-up
    // gives up after 30 s, so a start never counts as stuck).
    static constexpr int DefaultStallLimitMs = 60000;
    static constexpr int CancelGraceMs = 5000;
    // How long a run whose office was ended may take to notice it before it
    // is left behind.
    static constexpr int AbandonGraceMs = 10000;

    explicit PrintJob(PrintRequest request, QObject* parent = nullptr);
    // A job still running is cancelled and waited for (ending the word
    // processor if it does not stop), so no run outlives the program.
    ~PrintJob() override;
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    void SetStallLimit(int milliseconds) { m_stallLimitMs = milliseconds; }
    // Starts the run; call once.
    void Start();
    void Cancel();

    Outcome GetOutcome() const { return m_outcome; }
    bool IsRunning() const { return m_outcome == Outcome::Running && m_started; }
    // Why a failed run failed, where it could tell (Failure().Message() is
    // what the teacher is shown).
    Print::RunFailure Failure() const;
    int StepsDone() const;
    int StepsTotal() const;

    // Runs the event loop until the job has ended; its outcome.
    Outcome Wait();

Q_SIGNALS:
    void Progress(int done, int total);
    void Finished(PrintJob::Outcome outcome);

private:
    struct Shared;
    void Poll();
    void GiveUpOnOffice();
    void End(Outcome outcome);

    PrintRequest m_request;
    std::shared_ptr<Shared> m_shared;
    std::thread m_worker;
    QTimer m_poll;
    QElapsedTimer m_sinceProgress;
    QElapsedTimer m_sinceCancel;
    QElapsedTimer m_sinceAbandon;
    int m_lastDone = -1;
    int m_lastHeartbeat = 0;
    int m_stallLimitMs = DefaultStallLimitMs;
    bool m_started = false;
    bool m_abandoned = false;
    Outcome m_outcome = Outcome::Running;
};
