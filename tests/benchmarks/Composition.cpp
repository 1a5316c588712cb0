// Composition on the largest book with the whole book as the range: the
// candidate sentences of every question format (what the sentence dialog
// and the automatic selection ask for), the candidate test of the lists,
// the command list of three full prints, and writing and reading back the
// stored text of those prints.
#include "model/DataBase.h"
#include "model/Index.h"
#include "model/NodeStorage.h"
#include "model/Question.h"
#include "print/Parser.h"
#include "quiz/Model.h"
#include "quiz/NodeSerializer.h"
#include "LargeBook.h"
#include "support/BookFixture.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The large book with every index entry as the range, every question format
// selected and three prints of up to 10 sentences per format.
Model& LoadedModel()
{
    static QTemporaryDir dir;
    static Model model;
    static const bool loaded = [] {
        model.Db().OpenUser(dir.filePath(QStringLiteral("tv_user.db")));
        if (!model.LoadBooks({LargeBook()}))
            return false;
        std::vector<int> indexIds;
        for (const Index* index : model.Storage().IndexPool().List())
            indexIds.push_back(index->iid);
        model.SetRange(Ranges(indexIds));
        std::vector<int> qids;
        for (const Question* question : model.Storage().Questions())
            qids.push_back(question->qid);
        model.SetQuestions(qids);
        std::vector<Quiz> prints;
        for (int p = 0; p < 3; ++p) {
            Quiz quiz = model.NewQuiz();
            for (int qid : qids) {
                std::vector<const Sentence*> candidates;
                model.CandidateSentences(candidates, qid);
                for (std::size_t i = p; i < candidates.size() && i < 30; i += 3)
                    quiz.AddSentence(candidates[i]);
            }
            prints.push_back(quiz);
        }
        model.ReplaceQuizzes(prints);
        return true;
    }();
    if (!loaded)
        qFatal("the large book does not load");
    return model;
}

void BM_CandidateSentencesOfEveryFormat(benchmark::State& state)
{
    Model& model = LoadedModel();
    std::vector<const Sentence*> candidates;
    int total = 0;
    for (auto _ : state) {
        total = 0;
        for (int qid : model.SelectedQids())
            total += model.CandidateSentences(candidates, qid);
    }
    state.counters["candidates"] = total;
}
BENCHMARK(BM_CandidateSentencesOfEveryFormat)->Unit(benchmark::kMillisecond);

void BM_HasCandidatesOfEveryFormat(benchmark::State& state)
{
    Model& model = LoadedModel();
    for (auto _ : state) {
        for (int qid : model.SelectedQids())
            benchmark::DoNotOptimize(model.HasCandidates(qid));
    }
}
BENCHMARK(BM_HasCandidatesOfEveryFormat)->Unit(benchmark::kMillisecond);

void BM_ParseThreePrints(benchmark::State& state)
{
    Model& model = LoadedModel();
    Print::CmdList commands;
    for (auto _ : state)
        Print::Parser().Parse(commands, model.Quizzes());
    state.counters["commands"] = double(commands.size());
}
BENCHMARK(BM_ParseThreePrints)->Unit(benchmark::kMicrosecond);

void BM_StoreAndRestoreThreePrints(benchmark::State& state)
{
    Model& model = LoadedModel();
    const NodeSerializer serializer(model);
    QString text;
    for (auto _ : state) {
        text = serializer.to_str(model.Quizzes());
        std::vector<Quiz> prints;
        serializer.from_str(text, prints);
        benchmark::DoNotOptimize(prints.size());
    }
    state.counters["chars"] = double(text.size());
}
BENCHMARK(BM_StoreAndRestoreThreePrints)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
