// The cluster search of the automatic selection against the plain
// depth-first search it replaces, on the clusters of the sample books and
// on generated hard clusters (many questions sharing most keywords, needs
// close to the number of keywords). Both searches keep the 5 s bound, so a
// plain search that runs out of time shows as about 5000 ms with
// timed_out = 1. A summary with the ratio of the two follows the table.
#include "model/DataBase.h"
#include "model/Index.h"
#include "model/NodeStorage.h"
#include "quiz/AutoSelectCluster.h"
#include "quiz/AutoSelectSearch.h"
#include "quiz/Model.h"
#include "support/ReferenceAutoSelectSearch.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <random>

namespace {

struct Instance {
    std::string name;
    std::vector<AutoSelectProblem> clusters; // searched one after the other
};

struct Measure {
    double ms = 0;
    bool timedOut = false;
    bool found = false;
    std::vector<AutoSelectSearchResult> results; // of the last run
};

bool SameOutcome(const AutoSelectSearchResult& a, const AutoSelectSearchResult& b)
{
    return a.found == b.found && a.timedOut == b.timedOut && a.reportedCost == b.reportedCost && a.chosen == b.chosen;
}

std::map<std::string, std::map<std::string, Measure>> g_measures; // instance -> search -> figures

// The cluster problems of automatic selections of every question format of
// a sample book over the whole book, `prints` prints with `count` each.
std::vector<AutoSelectProblem> SampleBookClusters(const QString& path, int count, int prints)
{
    QTemporaryDir dir;
    Model model;
    model.Db().OpenUser(dir.filePath(QStringLiteral("tv_user.db")));
    std::vector<AutoSelectProblem> problems;
    if (!model.LoadBooks({path}))
        return problems;
    std::vector<int> indexIds;
    for (const Index* index : model.Storage().IndexPool().List())
        indexIds.push_back(index->iid);
    model.SetRange(Ranges(indexIds));
    std::vector<int> qids;
    AutoSelectOptions options;
    for (const Question* question : model.Storage().Questions()) {
        qids.push_back(question->qid);
        options.counts.emplace_back(question, count);
    }
    model.SetQuestions(qids);
    options.printCount = prints;
    std::array<bool, 2> warnings{};
    model.AutoSelect(options, warnings, [&](const AutoSelectProblem& problem) {
        problems.push_back(problem);
        return AutoSelectSearch().Run(problem);
    });
    return problems;
}

// `questions` questions over `keywords` keywords, each question having each
// keyword with the given chance; every question needs `need`.
AutoSelectProblem SharedCluster(std::mt19937& random, int questions, int keywords, int percent, int need)
{
    std::vector<AutoSelectItem> items;
    std::uniform_int_distribution<int> roll(0, 99);
    for (int q = 1; q <= questions; ++q) {
        for (int k = 1; k <= keywords; ++k) {
            if (roll(random) < percent)
                items.push_back({k, q});
        }
    }
    std::map<int, int> counts;
    for (int q = 1; q <= questions; ++q)
        counts[q] = need;
    const auto clusters = AutoSelectCluster::Split(items);
    return clusters.empty() ? AutoSelectProblem() : clusters.front().Problem(counts);
}

std::vector<Instance> Instances()
{
    std::vector<Instance> instances;
    const QDir data(QStringLiteral(TV_TEST_DATA_DIR));
    for (const QString& file : data.entryList({QStringLiteral("*_main.db")}, QDir::Files, QDir::Name)) {
        const QString path = data.filePath(file);
        const std::string name = QFileInfo(file).baseName().toStdString();
        instances.push_back({name + "/count10", SampleBookClusters(path, 10, 3)});
        // Counts that add up to about the whole vocabulary.
        DataBase probe;
        NodeStorage storage(probe);
        if (storage.LoadBooks({path}) && !storage.Questions().empty()) {
            const int count = static_cast<int>(storage.Keywords().size() / storage.Questions().size());
            instances.push_back({name + "/count" + std::to_string(count), SampleBookClusters(path, count, 3)});
        }
    }
    std::mt19937 random(4711);
    struct Shape {
        int questions, keywords, percent, need;
    };
    for (const Shape& s : {Shape{8, 40, 80, 5}, Shape{8, 40, 80, 6}, Shape{8, 48, 70, 5}, Shape{10, 50, 80, 5},
             Shape{10, 60, 75, 5}, Shape{12, 48, 80, 4}, Shape{16, 80, 60, 5}, Shape{8, 200, 90, 25},
             Shape{8, 2000, 90, 250}, Shape{8, 5000, 50, 700}}) {
        for (int n = 0; n < 2; ++n) {
            instances.push_back({"shared" + std::to_string(s.questions) + "x" + std::to_string(s.keywords) + "p"
                    + std::to_string(s.percent) + "n" + std::to_string(s.need) + "#" + std::to_string(n),
                {SharedCluster(random, s.questions, s.keywords, s.percent, s.need)}});
        }
    }
    return instances;
}

template <typename Search>
void RunSearch(benchmark::State& state, const Instance& instance, const std::string& searchName)
{
    Measure measure;
    long long runs = 0;
    double total = 0;
    for (auto _ : state) {
        measure.timedOut = false;
        measure.found = true;
        measure.results.clear();
        const auto start = std::chrono::steady_clock::now();
        for (const AutoSelectProblem& problem : instance.clusters) {
            const AutoSelectSearchResult result = Search().Run(problem);
            measure.timedOut = measure.timedOut || result.timedOut;
            measure.found = measure.found && result.found;
            measure.results.push_back(result);
        }
        total += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        ++runs;
    }
    measure.ms = runs ? total / runs : 0;
    g_measures[instance.name][searchName] = measure;
    state.counters["clusters"] = static_cast<double>(instance.clusters.size());
    state.counters["timed_out"] = measure.timedOut;
    state.counters["found"] = measure.found;
}

void PrintSummary()
{
    std::printf("\n%-34s %12s %12s %10s  %s\n", "instance", "fast ms", "plain ms", "ratio", "plain search");
    for (const auto& [name, bySearch] : g_measures) {
        const auto fast = bySearch.find("fast");
        const auto plain = bySearch.find("plain");
        if (fast == bySearch.end() || plain == bySearch.end())
            continue;
        const double ratio = fast->second.ms > 0 ? plain->second.ms / fast->second.ms : 0;
        bool same = fast->second.results.size() == plain->second.results.size();
        for (std::size_t i = 0; same && i < fast->second.results.size(); ++i)
            same = SameOutcome(fast->second.results[i], plain->second.results[i]);
        const char* verdict = plain->second.timedOut ? "TIMED OUT, fast finished"
            : same                                   ? "finished, same result"
                                                     : "finished, DIFFERENT RESULT";
        std::printf("%-34s %12.3f %12.3f %10.1f  %s%s\n", name.c_str(), fast->second.ms, plain->second.ms, ratio,
            verdict, fast->second.timedOut ? " (fast timed out too)" : "");
    }
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const std::vector<Instance> instances = Instances();
    for (const Instance& instance : instances) {
        benchmark::RegisterBenchmark(("Fast/" + instance.name).c_str(), [&instance](benchmark::State& state) {
            RunSearch<AutoSelectSearch>(state, instance, "fast");
        })->Unit(benchmark::kMillisecond);
        // The plain search may take its whole 5 s per cluster: run it once.
        benchmark::RegisterBenchmark(("Plain/" + instance.name).c_str(),
            [&instance](benchmark::State& state) { RunSearch<ReferenceAutoSelectSearch>(state, instance, "plain"); })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintSummary();
    return 0;
}
