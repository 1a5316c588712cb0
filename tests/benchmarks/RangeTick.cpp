// Ticking the root of the contents of a book of 1,000,000 words in the
// range dialog, as a teacher does. Each iteration ticks the root of a
// dialog whose contents nothing is ticked in. The time is from the click
// on its box until the window answers again (the ticks below it set, the
// range made, the count shown and the first slice of the word list); the
// counter fill_ms is until the whole list is filled, a slice at a time
// from the event loop. The goal: the window answers within 2 s (and a
// termination signal with it).
//
// The second benchmark sends SIGTERM to the process while the root is
// being ticked (`delay_ms` after the click: 0 lands in the tick's own
// work, 500 in the filling of the list that follows it) and times from
// the signal until its handler (the one the program installs, which
// closes the window) has run and the window is closed.
#include "WidgetBenchmarks.h"
#include "app/TerminationSignals.h"
#include "model/NodeStorage.h"
#include "quiz/Model.h"
#include "support/BookFixture.h"
#include "ui/CheckTreeListViewCtrl.h"
#include "ui/DlgRange.h"
#include "ui/DlgRangeIndex.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <memory>
#include <thread>

namespace {

constexpr int kWords = 1000000;

Model& MillionWordModel()
{
    static QTemporaryDir dir;
    static Model model;
    static const bool loaded = [] {
        return model.LoadBooks({BookFixture::MakeIn(
            dir, QStringLiteral("million_main.db"), BookFixture::LargeBookSql(kWords, kWords / 10, 8))});
    }();
    if (!loaded)
        qFatal("the book of a million words does not load");
    return model;
}

void ClickBoxOf(DlgRange& dialog, int iid)
{
    CheckTreeListViewCtrl& contents = dialog.IndexPage().List();
    const int row = dialog.IndexPage().RowOf(iid);
    contents.scrollToItem(contents.topLevelItem(row));
    const QPointF box = contents.CheckBoxRect(row).center();
    const QPointF global = contents.viewport()->mapToGlobal(box);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent click(type, box, global, Qt::LeftButton,
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(contents.viewport(), &click);
    }
}

void TickTheRootOfAMillionWords(benchmark::State& state)
{
    Model& model = MillionWordModel();
    double fill = 0;
    for (auto _ : state) {
        state.PauseTiming();
        model.SetRange(Ranges());
        auto dialog = std::make_unique<DlgRange>(model);
        dialog->show();
        QApplication::processEvents();
        state.ResumeTiming();
        const auto clicked = std::chrono::steady_clock::now();
        ClickBoxOf(*dialog, 1);
        QApplication::processEvents();
        state.PauseTiming();
        while (dialog->FillingKeywords())
            QApplication::processEvents();
        fill += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - clicked).count();
        dialog.reset();
        state.ResumeTiming();
    }
    state.counters["words"] = kWords;
    state.counters["fill_ms"] = fill / static_cast<double>(state.iterations());
}

BENCHMARK(TickTheRootOfAMillionWords)->Unit(benchmark::kMillisecond)->Iterations(3);

void TerminationDuringTheTick(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    Model& model = MillionWordModel();
    for (auto _ : state) {
        model.SetRange(Ranges());
        auto dialog = std::make_unique<DlgRange>(model);
        dialog->show();
        QApplication::processEvents();
        std::atomic<bool> handled{false};
        const TerminationSignals termination([&dialog, &handled](int) {
            dialog->close();
            handled = true;
        });
        std::atomic<bool> clicking{false};
        std::atomic<Clock::rep> signalled{0};
        std::thread sender([&] {
            while (!clicking)
                std::this_thread::yield();
            std::this_thread::sleep_for(std::chrono::milliseconds(state.range(0)));
            signalled = Clock::now().time_since_epoch().count();
            std::raise(SIGTERM);
        });
        clicking = true;
        ClickBoxOf(*dialog, 1);
        while (!handled || dialog->isVisible())
            QApplication::processEvents();
        const auto ended = Clock::now();
        sender.join();
        state.SetIterationTime(
            std::chrono::duration<double>(ended - Clock::time_point(Clock::duration(signalled.load()))).count());
        dialog.reset();
    }
    state.counters["words"] = kWords;
}

BENCHMARK(TerminationDuringTheTick)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseManualTime()
    ->Arg(0)
    ->ArgName("delay_ms")
    ->Arg(500);

} // namespace

int main(int argc, char** argv)
{
    return RunWidgetBenchmarks(argc, argv);
}
