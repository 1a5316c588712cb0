// Print runs on their own thread, with a word processor that stands still
// on request: progress reaches the event loop's thread, a cancel stops the
// run, and a word processor that makes no progress is ended.
#include "automation/ServerControl.h"
#include "export/OutputFile.h"
#include "export/OutputFormat.h"
#include "export/PrintJob.h"
#include "export/RunLimits.h"
#include "support/RecordingCreator.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

using Outcome = PrintJob::Outcome;

Print::CmdList Commands(int count, const QString& text = QStringLiteral("x"))
{
    Print::CmdList list;
    for (int i = 0; i < count; ++i)
        list.push_back(std::make_shared<Print::Cmd>(Print::Cmd{Print::Text, text}));
    return list;
}

// A word processor that stops at a given command until it is ended (the
// abandon handler) and then fails every call, as a stopped office does.
class StuckWordProcessor : public RecordingCreator {
public:
    std::atomic<int> stopAt{-1};
    std::atomic<bool> ended{false};
    std::atomic<int> delayMs{0};
    std::atomic<bool> stopped{false}; // standing still at stopAt

protected:
    bool WriteCommand(const Print::Cmd& command) override
    {
        if (static_cast<int>(commands.size()) == stopAt.load()) {
            stopped = true;
            while (!ended.load())
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (ended.load())
            throw std::runtime_error("the office has gone");
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs.load()));
        return RecordingCreator::WriteCommand(command);
    }
};

class PrintJobTest : public testing::Test {
protected:
    void SetUp() override
    {
        Automation::ServerControl::SetAbandonHandler([this] {
            ++abandoned;
            creator->ended = true;
        });
    }
    void TearDown() override { Automation::ServerControl::SetAbandonHandler({}); }

    PrintRequest Request(int commands)
    {
        PrintRequest request;
        request.creator = creator;
        request.commands = Commands(commands);
        request.templatePath = QStringLiteral("t.dot");
        return request;
    }

    std::shared_ptr<StuckWordProcessor> creator = std::make_shared<StuckWordProcessor>();
    std::atomic<int> abandoned{0};
};

TEST_F(PrintJobTest, ProgressReachesTheLoopAndEndsWithEveryStep)
{
    creator->delayMs = 2;
    PrintJob job(Request(100));
    QSignalSpy progress(&job, &PrintJob::Progress);
    job.Start();
    EXPECT_TRUE(job.IsRunning());
    EXPECT_EQ(job.Wait(), Outcome::Succeeded);
    EXPECT_EQ(creator->commands.size(), 100u);
    ASSERT_GE(progress.size(), 2);
    EXPECT_EQ(progress.last().at(0).toInt(), 104);
    EXPECT_EQ(progress.last().at(1).toInt(), 104);
    int previous = -1;
    for (const QList<QVariant>& step : progress) {
        EXPECT_GT(step.at(0).toInt(), previous);
        previous = step.at(0).toInt();
    }
    EXPECT_EQ(abandoned.load(), 0);
}

TEST_F(PrintJobTest, CancelStopsAfterTheStepInProgress)
{
    creator->delayMs = 20;
    PrintJob job(Request(1000));
    job.Start();
    QTimer::singleShot(100, &job, [&job] { job.Cancel(); });
    EXPECT_EQ(job.Wait(), Outcome::Cancelled);
    EXPECT_LT(creator->commands.size(), 100u);
    EXPECT_EQ(abandoned.load(), 0);
}

TEST_F(PrintJobTest, WordProcessorWithoutProgressIsEndedAfterTheStallLimit)
{
    creator->stopAt = 10;
    PrintJob job(Request(50));
    job.SetStallLimit(300);
    QElapsedTimer clock;
    clock.start();
    job.Start();
    EXPECT_EQ(job.Wait(), Outcome::Stalled);
    EXPECT_GE(clock.elapsed(), 300);
    EXPECT_LT(clock.elapsed(), 300 + PrintJob::AbandonGraceMs);
    EXPECT_EQ(abandoned.load(), 1);
    EXPECT_EQ(creator->commands.size(), 10u);
}

// A word processor that keeps answering within one long step (the upright
// digits of a long vertical document) is not taken for a stuck one.
class SlowUprightDigits : public StuckWordProcessor {
protected:
    bool IsVertical() override { return true; }
    void MakeDigitsUpright() override
    {
        for (int i = 0; i < 60; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            StillWorking();
        }
    }
};

TEST_F(PrintJobTest, LongStepThatStillAnswersIsNoStall)
{
    auto slow = std::make_shared<SlowUprightDigits>();
    PrintRequest request = Request(3);
    request.creator = slow;
    PrintJob job(request);
    job.SetStallLimit(300);
    job.Start();
    EXPECT_EQ(job.Wait(), Outcome::Succeeded);
    EXPECT_EQ(abandoned.load(), 0);
}

// A cancel that the word processor does not act on ends it too, but
// still reads as a cancel.
TEST_F(PrintJobTest, CancelOfAStuckRunEndsTheWordProcessor)
{
    creator->stopAt = 0;
    PrintJob job(Request(5));
    job.Start();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &job, [&] {
        if (creator->stopped.load())
            job.Cancel();
    });
    poll.start(10);
    EXPECT_EQ(job.Wait(), Outcome::Cancelled);
    EXPECT_EQ(abandoned.load(), 1);
}

// Going away in the middle of a run (the program quits) waits for it.
TEST_F(PrintJobTest, DestroyingARunningJobStopsItsRun)
{
    creator->delayMs = 20;
    {
        PrintJob job(Request(1000));
        job.Start();
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
    }
    EXPECT_LT(creator->commands.size(), 100u);
    EXPECT_TRUE(creator->Create({}, QString(), QString(), QString())); // the creator is free again
}

TEST(RunLimits, EachLimitHoldsUpToItsValue)
{
    const QString longest(RunLimits::MaxTextLength, QLatin1Char('a'));
    EXPECT_TRUE(RunLimits::Check(Commands(RunLimits::MaxCommands), longest, longest).Allowed());

    const RunLimits::Verdict commands = RunLimits::Check(Commands(RunLimits::MaxCommands + 1), {}, {});
    EXPECT_EQ(commands.exceeded, RunLimits::Exceeded::Commands);
    EXPECT_EQ(commands.actual, RunLimits::MaxCommands + 1);
    EXPECT_EQ(commands.limit, RunLimits::MaxCommands);

    EXPECT_EQ(
        RunLimits::Check(Commands(1, longest + QLatin1Char('a')), {}, {}).exceeded, RunLimits::Exceeded::TextLength);
    EXPECT_EQ(RunLimits::Check({}, longest + QLatin1Char('a'), {}).exceeded, RunLimits::Exceeded::TextLength);
    const int pieces = static_cast<int>(RunLimits::MaxTotalText / RunLimits::MaxTextLength);
    const RunLimits::Verdict total = RunLimits::Check(Commands(pieces, longest), QStringLiteral("t"), {});
    EXPECT_EQ(total.exceeded, RunLimits::Exceeded::TotalText);
    EXPECT_EQ(total.actual, RunLimits::MaxTotalText + 1);
}

TEST(OutputFile, WrittenFileTakesTheTargetsPlaceOnlyWhenCommitted)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("prints.pdf"));
    QFile older(target);
    ASSERT_TRUE(older.open(QIODevice::WriteOnly));
    older.write("older");
    older.close();
    const auto files = [&] { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); };

    QString error;
    {
        OutputFile output(target);
        ASSERT_TRUE(output.Prepare(&error)) << error.toStdString();
        EXPECT_EQ(QFileInfo(output.TemporaryPath()).absolutePath(), dir.path());
        EXPECT_TRUE(QFileInfo(output.TemporaryPath()).fileName().startsWith(QLatin1Char('.')));
        EXPECT_FALSE(output.Commit(&error)); // nothing was written into it
    }
    EXPECT_EQ(files(), QStringList{QStringLiteral("prints.pdf")});
    {
        OutputFile output(target);
        ASSERT_TRUE(output.Prepare(&error));
        QFile written(output.TemporaryPath());
        ASSERT_TRUE(written.open(QIODevice::WriteOnly));
        written.write("new");
    } // a run that failed: the temporary file goes, the older file stays
    EXPECT_EQ(files(), QStringList{QStringLiteral("prints.pdf")});
    {
        OutputFile output(target);
        ASSERT_TRUE(output.Prepare(&error));
        QFile written(output.TemporaryPath());
        ASSERT_TRUE(written.open(QIODevice::WriteOnly));
        written.write("new");
        written.close();
        ASSERT_TRUE(output.Commit(&error)) << error.toStdString();
    }
    EXPECT_EQ(files(), QStringList{QStringLiteral("prints.pdf")});
    ASSERT_TRUE(older.open(QIODevice::ReadOnly));
    EXPECT_EQ(older.readAll(), QByteArray("new"));

    EXPECT_FALSE(OutputFile(dir.path()).Prepare(&error)); // a folder
    EXPECT_FALSE(OutputFile(dir.filePath(QStringLiteral("none/prints.pdf"))).Prepare(&error));
}

// What the teacher is told is Japanese throughout, the paths aside.
TEST(OutputFile, SaysWhyInJapanese)
{
    QTemporaryDir dir;
    QString error;
    const QString missing = dir.filePath(QStringLiteral("無い"));
    EXPECT_FALSE(OutputFile(missing + QStringLiteral("/a.pdf")).Prepare(&error));
    EXPECT_EQ(error, QStringLiteral("フォルダ %1 がありません。").arg(missing));
    EXPECT_FALSE(OutputFile(dir.path()).Prepare(&error));
    EXPECT_EQ(error, QStringLiteral("%1 はフォルダです。").arg(dir.path()));
    OutputFile output(dir.filePath(QStringLiteral("a.pdf")));
    ASSERT_TRUE(output.Prepare(&error));
    EXPECT_FALSE(output.Commit(&error));
    EXPECT_EQ(error, QStringLiteral("%1 に何も書き込まれませんでした。").arg(dir.filePath(QStringLiteral("a.pdf"))));
}

TEST(OutputFormat, TheExtensionNamesTheFormat)
{
    EXPECT_EQ(OutputFormat::OfFile(QStringLiteral("/a/b.PDF")), QStringLiteral("pdf"));
    EXPECT_EQ(OutputFormat::OfFile(QStringLiteral("b.tar.docx")), QStringLiteral("docx"));
    EXPECT_EQ(OutputFormat::OfFile(QStringLiteral("b.doc")), QStringLiteral("doc"));
    EXPECT_EQ(OutputFormat::OfFile(QStringLiteral("b.odt")), QStringLiteral("odt"));
    EXPECT_TRUE(OutputFormat::OfFile(QStringLiteral("b.txt")).isEmpty());
    EXPECT_TRUE(OutputFormat::OfFile(QStringLiteral("pdf")).isEmpty());
}

} // namespace
