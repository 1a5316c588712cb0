// The record of print runs at the size of several years of a busy
// teacher: 1,000 runs of 10 prints of 30 sub-questions (300,000 rows),
// over the large book (5,000 keywords). Opening the 出題履歴 window and
// computing the coverage of the book are each meant to stay within 200 ms;
// recording one run is meant to add under 5 % to a print run into a file
// (bench_PrintRunOffice: well over a second), so a few tens of
// milliseconds at most. The automatic selection that avoids what each class
// was tested on in its last three runs is meant to take at most 1.5 times
// as long as the same selection without it.
#include "WidgetBenchmarks.h"
#include "LargeBook.h"

#include "history/Coverage.h"
#include "history/HistoryStore.h"
#include "model/Book.h"
#include "model/DataBase.h"
#include "model/Keyword.h"
#include "model/Index.h"
#include "model/NodeStorage.h"
#include "model/Question.h"
#include "quiz/Model.h"
#include "ui/DlgHistory.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

namespace {

Model& LargeBookModel()
{
    static QTemporaryDir dir;
    static Model model;
    static const bool loaded = [] {
        model.Db().OpenUser(dir.filePath(QStringLiteral("tv_user.db")));
        return model.LoadBooks({LargeBook()});
    }();
    if (!loaded)
        qFatal("the large book does not load");
    return model;
}

QString ClassName(int print)
{
    return QStringLiteral("1年%1組").arg(print + 1);
}

// A run of 10 prints of 30 sub-questions of the current book, its keywords
// taken in turn from `next`.
RunRecord MakeRun(Model& model, std::size_t& next)
{
    const Book* book = model.Storage().CurrentBook();
    const auto& keywords = model.Storage().Keywords();
    RunRecord run;
    run.when = QDateTime::currentDateTime();
    run.dbid = book->dbid;
    run.bid = book->bid;
    run.bookTitle = book->title;
    run.formats = QStringLiteral("1,2,3");
    run.formatNames = QStringLiteral("形式1、形式2、形式3");
    run.range = QStringLiteral("1:1001,1002");
    run.rangeLine = QStringLiteral("（大きな本／1～2）");
    for (int p = 0; p < 10; ++p) {
        RecordedPrint print;
        print.className = ClassName(p);
        for (int i = 0; i < 30; ++i) {
            const Keyword* keyword = keywords[next++ % keywords.size()];
            print.items.push_back(
                {1 + i / 10, QStringLiteral("形式"), 500000 + i, keyword->kid, keyword->word, i % 10 + 1});
        }
        run.printList.push_back(std::move(print));
    }
    return run;
}

const QString& FullHistory()
{
    static QTemporaryDir dir;
    static const QString file = [] {
        const QString path = dir.filePath(QStringLiteral("tv_history.db"));
        HistoryStore store(path);
        Model& model = LargeBookModel();
        std::size_t next = 0;
        for (int i = 0; i < 1000; ++i) {
            if (store.Record(MakeRun(model, next)) == 0)
                qFatal("cannot record the history");
        }
        return path;
    }();
    return file;
}

void BM_OpenHistoryWindow(benchmark::State& state)
{
    Model& model = LargeBookModel();
    const QString& file = FullHistory();
    for (auto _ : state) {
        DlgHistory dialog(model, file);
        dialog.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dialog.Runs().topLevelItemCount());
    }
}
BENCHMARK(BM_OpenHistoryWindow)->Unit(benchmark::kMillisecond);

void BM_CoverageOfTheBook(benchmark::State& state)
{
    Model& model = LargeBookModel();
    HistoryStore store(FullHistory());
    const Book* book = model.Storage().CurrentBook();
    for (auto _ : state) {
        const auto rows = Coverage::Of(model, store.KeywordUses(book->dbid, book->bid));
        benchmark::DoNotOptimize(rows.size());
    }
}
BENCHMARK(BM_CoverageOfTheBook)->Unit(benchmark::kMillisecond);

void BM_RecordOneRun(benchmark::State& state)
{
    Model& model = LargeBookModel();
    QTemporaryDir dir;
    HistoryStore store(dir.filePath(QStringLiteral("tv_history.db")));
    std::size_t next = 0;
    for (auto _ : state) {
        if (store.Record(MakeRun(model, next)) == 0)
            state.SkipWithError("cannot record");
    }
}
BENCHMARK(BM_RecordOneRun)->Unit(benchmark::kMillisecond);

// Three classes, three formats of 10 each, over the whole book; the classes
// named as in the history, each avoiding its last `state.range(0)` runs
// (0: the plain selection).
void BM_AutoSelect(benchmark::State& state)
{
    Model& model = LargeBookModel();
    model.SetTestedKeywords(HistoryStore::TestedKeywords(FullHistory()));
    std::vector<int> entries;
    for (const Index* index : model.Storage().IndexPool().List())
        entries.push_back(index->iid);
    model.SetRange(Ranges(entries));
    std::vector<int> qids;
    for (const Question* question : model.Storage().Questions()) {
        if (qids.size() < 3)
            qids.push_back(question->qid);
    }
    model.SetQuestions(qids);
    AutoSelectOptions options;
    options.printCount = 3;
    for (int qid : qids)
        options.counts.emplace_back(model.Storage().QuestionPool().Find(qid), 10);
    options.classNames = {ClassName(0), ClassName(1), ClassName(2)};
    options.avoidRuns = static_cast<int>(state.range(0));
    for (auto _ : state) {
        std::array<bool, 2> warnings{false, false};
        if (model.AutoSelect(options, warnings) != Model::kAutoSelectOk)
            state.SkipWithError("the selection failed");
    }
    state.counters["repeats"] = model.LastRepeats().value_or(0);
}
BENCHMARK(BM_AutoSelect)->Arg(0)->Arg(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunWidgetBenchmarks(argc, argv);
}
