#include "export/PrintJob.h"

#include "automation/ServerControl.h"
#include "print/Creator.h"

#include <QEventLoop>

#include <atomic>
#include <chrono>

// What the worker thread and the event loop's thread share.
struct PrintJob::Shared {
    std::atomic<int> done{0};
    std::atomic<int> total{0};
    std::atomic<int> heartbeat{0}; // calls answered within the step in progress
    std::atomic<bool> cancel{false};
    std::atomic<bool> finished{false};
    std::atomic<bool> succeeded{false};
    // Written by the worker before `finished`, read once it is set.
    Print::RunFailure failure;
};

namespace {

constexpr int PollIntervalMs = 50;

// Passes the creator's steps to the shared counters and its stop request back.
class SharedObserver : public Print::RunObserver {
public:
    template <class S>
    explicit SharedObserver(S& shared)
        : m_done(shared.done)
        , m_total(shared.total)
        , m_heartbeat(shared.heartbeat)
        , m_cancel(shared.cancel)
    {
    }
    bool Progress(int done, int total) override
    {
        m_total.store(total);
        m_done.store(done);
        return !m_cancel.load();
    }
    void StillWorking() override { m_heartbeat.fetch_add(1); }

private:
    std::atomic<int>& m_done;
    std::atomic<int>& m_total;
    std::atomic<int>& m_heartbeat;
    std::atomic<bool>& m_cancel;
};

} // namespace

PrintJob::PrintJob(PrintRequest request, QObject* parent)
    : QObject(parent)
    , m_request(std::move(request))
    , m_shared(std::make_shared<Shared>())
{
    m_shared->total.store(Print::Creator::StepCount(m_request.commands));
    m_poll.setInterval(PollIntervalMs);
    connect(&m_poll, &QTimer::timeout, this, &PrintJob::Poll);
}

PrintJob::~PrintJob()
{
    if (!m_worker.joinable())
        return;
    m_shared->cancel.store(true);
    const auto waitFor = [this](int milliseconds) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (!m_shared->finished.load() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return m_shared->finished.load();
    };
    if (!waitFor(CancelGraceMs)) {
        Automation::ServerControl::Abandon();
        waitFor(AbandonGraceMs);
    }
    if (m_shared->finished.load())
        m_worker.join();
    else
        m_worker.detach(); // it holds its own copies of what it uses
}

void PrintJob::Start()
{
    if (m_started)
        return;
    m_started = true;
    m_sinceProgress.start();
    m_worker = std::thread([request = m_request, shared = m_shared] {
        SharedObserver observer(*shared);
        bool succeeded = false;
        if (request.creator)
            succeeded = request.creator->Create(request.commands, request.templatePath, request.title,
                request.rangeText, request.destination, &observer);
        if (request.creator && !succeeded)
            shared->failure = request.creator->LastFailure();
        shared->succeeded.store(succeeded);
        shared->finished.store(true);
    });
    m_poll.start();
}

void PrintJob::Cancel()
{
    if (!IsRunning() || m_shared->cancel.load())
        return;
    m_shared->cancel.store(true);
    m_sinceCancel.start();
}

Print::RunFailure PrintJob::Failure() const
{
    if (m_outcome != Outcome::Failed || !m_shared->finished.load())
        return {};
    return m_shared->failure;
}

int PrintJob::StepsDone() const
{
    return m_shared->done.load();
}

int PrintJob::StepsTotal() const
{
    return m_shared->total.load();
}

void PrintJob::Poll()
{
    const int done = m_shared->done.load();
    const int heartbeat = m_shared->heartbeat.load();
    if (heartbeat != m_lastHeartbeat) {
        m_lastHeartbeat = heartbeat;
        m_sinceProgress.restart();
    }
    if (done != m_lastDone) {
        m_lastDone = done;
        m_sinceProgress.restart();
        Q_EMIT Progress(done, m_shared->total.load());
    }
    const bool cancelled = m_shared->cancel.load();
    if (m_shared->finished.load()) {
        m_worker.join();
        if (m_shared->succeeded.load())
            End(Outcome::Succeeded);
        else if (cancelled)
            End(Outcome::Cancelled);
        else
            End(m_abandoned ? Outcome::Stalled : Outcome::Failed);
        return;
    }
    if (!m_abandoned) {
        if (m_sinceProgress.elapsed() > m_stallLimitMs || (cancelled && m_sinceCancel.elapsed() > CancelGraceMs))
            GiveUpOnOffice();
        return;
    }
    if (m_sinceAbandon.elapsed() > AbandonGraceMs) {
        m_worker.detach(); // it holds its own copies of what it uses
        End(cancelled ? Outcome::Cancelled : Outcome::Stalled);
    }
}

void PrintJob::GiveUpOnOffice()
{
    qWarning("The word processor made no progress; ending it");
    m_abandoned = true;
    m_sinceAbandon.start();
    Automation::ServerControl::Abandon();
}

void PrintJob::End(Outcome outcome)
{
    m_poll.stop();
    m_outcome = outcome;
    Q_EMIT Finished(outcome);
}

PrintJob::Outcome PrintJob::Wait()
{
    if (!m_started || m_outcome != Outcome::Running)
        return m_outcome;
    QEventLoop loop;
    connect(this, &PrintJob::Finished, &loop, &QEventLoop::quit);
    loop.exec();
    return m_outcome;
}
