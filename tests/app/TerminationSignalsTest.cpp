#include "app/TerminationSignals.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <gtest/gtest.h>

#include <csignal>
#include <vector>

namespace {

std::vector<int> g_outside;
extern "C" void RecordOutside(int signal)
{
    g_outside.push_back(signal);
}

TEST(TerminationSignalsTest, SignalsArriveOnTheEventLoopAndTheOldHandlersComeBack)
{
    g_outside.clear();
    struct sigaction outside = {};
    outside.sa_handler = RecordOutside;
    sigemptyset(&outside.sa_mask);
    struct sigaction saved = {};
    ASSERT_EQ(::sigaction(SIGTERM, &outside, &saved), 0);

    std::vector<int> received;
    {
        TerminationSignals signals([&](int signal) { received.push_back(signal); });
        ASSERT_TRUE(signals.IsActive());
        std::raise(SIGTERM);
        std::raise(SIGINT);
        EXPECT_TRUE(received.empty()); // nothing runs inside the handler
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
        EXPECT_EQ(received, (std::vector<int>{SIGTERM, SIGINT}));
    }
    EXPECT_TRUE(g_outside.empty());
    std::raise(SIGTERM);
    EXPECT_EQ(g_outside, std::vector<int>{SIGTERM});
    ::sigaction(SIGTERM, &saved, nullptr);
}

} // namespace
