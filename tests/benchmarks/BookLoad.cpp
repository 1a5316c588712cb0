// Loading the largest book: the content NodeStorage reads at a book switch
// (index entries, questions, keywords, attribute classes, relations) and all
// its sentences, against the sqlite3 shell reading the two attribute views.
#include "model/DataBase.h"
#include "model/Keyword.h"
#include "model/NodeStorage.h"
#include "model/Question.h"
#include "model/Sentence.h"
#include "LargeBook.h"
#include "support/BookFixture.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include <sys/resource.h>

namespace {

int LoadAllSentences(NodeStorage& storage)
{
    int count = 0;
    std::vector<Sentence*> sentences;
    for (const Question* question : storage.Questions())
        count += storage.SentencesOf(question->qid, sentences);
    return count;
}

void BM_SelectBook(benchmark::State& state)
{
    const QStringList files{LargeBook()};
    for (auto _ : state) {
        DataBase db;
        NodeStorage storage(db);
        if (!storage.LoadBooks(files))
            state.SkipWithError("the large book does not load");
        benchmark::DoNotOptimize(storage.Keywords().size());
    }
}
BENCHMARK(BM_SelectBook)->Unit(benchmark::kMillisecond);

void BM_SelectBookAndLoadAllSentences(benchmark::State& state)
{
    const QStringList files{LargeBook()};
    int sentences = 0;
    std::size_t keywords = 0;
    for (auto _ : state) {
        DataBase db;
        NodeStorage storage(db);
        if (!storage.LoadBooks(files))
            state.SkipWithError("the large book does not load");
        sentences = LoadAllSentences(storage);
        keywords = storage.Keywords().size();
    }
    state.counters["keywords"] = double(keywords);
    state.counters["sentences"] = sentences;
}
BENCHMARK(BM_SelectBookAndLoadAllSentences)->Unit(benchmark::kMillisecond);

void BM_ReadKeywordsAndAllSentences(benchmark::State& state)
{
    DataBase db;
    if (db.OpenBook(LargeBook()) != 0)
        state.SkipWithError("the large book does not open");
    std::vector<std::unique_ptr<Keyword>> keywords;
    std::vector<std::unique_ptr<Sentence>> sentences;
    for (auto _ : state) {
        db.ReadKeywords(keywords);
        db.ReadSentences(0, sentences);
    }
    state.counters["keywords"] = double(keywords.size());
    state.counters["sentences"] = double(sentences.size());
}
BENCHMARK(BM_ReadKeywordsAndAllSentences)->Unit(benchmark::kMillisecond);

double ChildrenCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The same two views read by the sqlite3 shell, output discarded.
void BM_Sqlite3Shell(benchmark::State& state)
{
    const QString command = QStringLiteral(
        "sqlite3 '%1' 'select * from KeywordsWithAttrs; select * from SentencesWithAttrs;' > /dev/null")
                                .arg(LargeBook());
    const QByteArray shell = command.toLocal8Bit();
    const double cpuBefore = ChildrenCpuSeconds();
    for (auto _ : state) {
        if (std::system(shell.constData()) != 0)
            state.SkipWithError("sqlite3 failed");
    }
    // The shell's own processor time, comparable with the CPU column of the
    // other benchmarks on a busy machine.
    state.counters["shell_cpu_ms"]
        = benchmark::Counter((ChildrenCpuSeconds() - cpuBefore) * 1000.0 / double(state.iterations()));
}
BENCHMARK(BM_Sqlite3Shell)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    std::fprintf(stderr, "Book: %s\n", qPrintable(LargeBook()));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
