// The main window's print tabs: rebuilding them while the window is shown
// (as after a restore or an automatic selection) and destroying them with
// the window (as at exit), up to the most prints there can be (100). The
// goal: 100 prints rebuilt and torn down within 50 ms together. Both should
// grow about linearly with the number of prints.
#include "WidgetBenchmarks.h"
#include "quiz/Path.h"
#include "model/DataBase.h"
#include "model/NodeStorage.h"
#include "print/Templ.h"
#include "quiz/Model.h"
#include "support/BookFixture.h"
#include "ui/DlgMain.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

Model& SmallBookModel()
{
    static QTemporaryDir dir;
    static Model model;
    static const bool loaded = [] {
        model.Db().OpenUser(dir.filePath(QStringLiteral("tv_user.db")));
        return model.LoadBooks(
            {BookFixture::MakeIn(dir, QStringLiteral("small_main.db"), BookFixture::SmallBookSql())});
    }();
    if (!loaded)
        qFatal("the small book does not load");
    return model;
}

void SetPrints(Model& model, int count)
{
    model.SetQuestions({11, 12});
    Quiz quiz = model.NewQuiz();
    quiz.AddQuestion(11);
    quiz.AddQuestion(12);
    quiz.AddSentence(model.Storage().SentenceById(51));
    quiz.AddSentence(model.Storage().SentenceById(61));
    model.ReplaceQuizzes(std::vector<Quiz>(static_cast<std::size_t>(count), quiz));
}

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Each count doubles the last: a linear cost shows as the same time per
// print at every count. The fastest of five runs is the figure to read,
// the others being slowed by whatever else the machine does.
void PrintCounts(benchmark::internal::Benchmark* benchmark)
{
    for (int count : {25, 50, 100})
        benchmark->Arg(count);
    benchmark->Repetitions(5)->ReportAggregatesOnly(true)->ComputeStatistics(
        "min", [](const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); });
}

void ReportPerPrint(benchmark::State& state, double seconds)
{
    state.counters["us_per_print"] = seconds * 1e6 / static_cast<double>(state.range(0));
}

void BM_RebuildTabsOfAShownWindow(benchmark::State& state)
{
    Model& model = SmallBookModel();
    SetPrints(model, static_cast<int>(state.range(0)));
    Templ templ{Path()};
    for (auto _ : state) {
        DlgMain window(model, templ, Path());
        window.show();
        QApplication::processEvents();
        const auto start = std::chrono::steady_clock::now();
        window.UpdateView();
        QApplication::processEvents();
        state.SetIterationTime(Seconds(start));
        ReportPerPrint(state, Seconds(start));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RebuildTabsOfAShownWindow)
    ->Apply(PrintCounts)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Complexity();

void BM_DestroyWindowWithTabs(benchmark::State& state)
{
    Model& model = SmallBookModel();
    SetPrints(model, static_cast<int>(state.range(0)));
    Templ templ{Path()};
    for (auto _ : state) {
        auto window = std::make_unique<DlgMain>(model, templ, Path());
        window->show();
        window->UpdateView();
        QApplication::processEvents();
        const auto start = std::chrono::steady_clock::now();
        window.reset();
        QApplication::processEvents();
        state.SetIterationTime(Seconds(start));
        ReportPerPrint(state, Seconds(start));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_DestroyWindowWithTabs)
    ->Apply(PrintCounts)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Complexity();

// The whole round for the most prints: rebuilt in the shown window, then
// destroyed with it.
void BM_RebuildAndTearDownTheMostPrints(benchmark::State& state)
{
    Model& model = SmallBookModel();
    SetPrints(model, Model::kMaxPrints);
    Templ templ{Path()};
    for (auto _ : state) {
        auto window = std::make_unique<DlgMain>(model, templ, Path());
        window->show();
        QApplication::processEvents();
        const auto start = std::chrono::steady_clock::now();
        window->UpdateView();
        QApplication::processEvents();
        window.reset();
        QApplication::processEvents();
        state.SetIterationTime(Seconds(start));
    }
}
BENCHMARK(BM_RebuildAndTearDownTheMostPrints)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->ComputeStatistics(
        "min", [](const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); });

} // namespace

int main(int argc, char** argv)
{
    return RunWidgetBenchmarks(argc, argv);
}
