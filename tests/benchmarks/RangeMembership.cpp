// Range membership by book size: ticking the root of the contents of a book
// of 20,000, 100,000 and 1,000,000 words (sections of 20 words, every
// section ticked) and asking for every word whether the range holds it, as
// the range dialog's word list and the candidates do after each tick. The
// goal is within 1 s for the million words.
#include "model/IKRelations.h"
#include "model/Keyword.h"
#include "quiz/Ranges.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int kWordsPerSection = 20;

void RangeOfTheWholeBook(benchmark::State& state)
{
    const int words = static_cast<int>(state.range(0));
    std::vector<std::pair<int, int>> relations;
    std::vector<int> sections;
    for (int kid = 1; kid <= words; ++kid) {
        const int iid = 2 + (kid - 1) / kWordsPerSection;
        if (sections.empty() || sections.back() != iid)
            sections.push_back(iid);
        relations.emplace_back(iid, kid);
    }
    IKRelations::ReplaceAll(relations);
    std::vector<std::unique_ptr<Keyword>> keywords;
    for (int kid = 1; kid <= words; ++kid) {
        keywords.push_back(std::make_unique<Keyword>());
        keywords.back()->kid = kid;
    }
    for (auto _ : state) {
        const Ranges range(sections);
        int held = 0;
        for (const auto& keyword : keywords)
            held += range.Contains(*keyword) ? 1 : 0;
        if (held != words)
            state.SkipWithError("a word is missing from the range");
        benchmark::DoNotOptimize(held);
    }
    state.counters["words"] = words;
}

BENCHMARK(RangeOfTheWholeBook)->Arg(20000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
