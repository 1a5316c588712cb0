#include "app/TerminationSignals.h"

#include "model/StopRequest.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> Signals = {SIGTERM, SIGINT, SIGHUP};

// The write end is all a signal handler may touch: it writes the signal
// number and returns.
int g_pipe[2] = {-1, -1};
std::array<struct sigaction, Signals.size()> g_previous{};

extern "C" void WriteSignal(int signal)
{
    const unsigned char number = static_cast<unsigned char>(signal);
    const int savedErrno = errno;
    StopRequest::Raise();
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &number, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void(int signal)> onSignal)
    : m_onSignal(std::move(onSignal))
{
    if (g_pipe[0] != -1 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pipe) != 0)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] { Dispatch(); });

    struct sigaction action = {};
    action.sa_handler = WriteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < Signals.size(); ++i)
        ::sigaction(Signals[i], &action, &g_previous[i]);
    m_active = true;
}

TerminationSignals::~TerminationSignals()
{
    if (!m_active)
        return;
    for (size_t i = 0; i < Signals.size(); ++i)
        ::sigaction(Signals[i], &g_previous[i], nullptr);
    m_notifier.reset();
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void TerminationSignals::Dispatch()
{
    unsigned char number = 0;
    StopRequest::Clear();
    while (::read(g_pipe[0], &number, 1) == 1) {
        if (m_onSignal)
            m_onSignal(number);
    }
}
