// Feeds arbitrary stored selection texts to the readers that restore the
// user's selection at start-up: ranges, prints, id lists, intervals and
// counts, over a small real book. Whatever the text, the result must hold
// only what the book has, keep the invariants of a print, and write back
// to a text that reads back to itself.
#include "FuzzInput.h"

#include "model/NodeStorage.h"
#include "model/Sentence.h"
#include "quiz/Model.h"
#include "quiz/NodeSerializer.h"
#include "support/BookFixture.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <set>

namespace {

Model& LoadedModel()
{
    static QTemporaryDir dir;
    static Model model;
    static const bool loaded = [] {
        const QString path = dir.filePath(QStringLiteral("fuzz_main.db"));
        return BookFixture::Build(path, BookFixture::SmallBookSql()).isEmpty() && model.LoadBooks({path});
    }();
    Fuzz::Check(loaded);
    return model;
}

void CheckRange(const NodeSerializer& serializer, const NodeStorage& storage, const QString& text)
{
    Ranges range(std::vector<int>{3});
    Fuzz::Check(serializer.from_str(text, range));
    for (int iid : range.OrderedIndexIds())
        Fuzz::Check(storage.IndexPool().Find(iid) != nullptr);
    range.Describe(storage);
    // An index range whose ids the book lacks writes as "1:", which reads
    // as the empty range; from the second writing on the text is stable.
    Ranges again;
    serializer.from_str(serializer.to_str(range), again);
    const QString written = serializer.to_str(again);
    Ranges third;
    serializer.from_str(written, third);
    Fuzz::Check(serializer.to_str(third) == written);
}

void CheckPrint(const Quiz& quiz)
{
    std::set<int> qids;
    for (const QuestionUnit& unit : quiz.Units()) {
        Fuzz::Check(unit.GetQuestion() != nullptr);
        Fuzz::Check(qids.insert(unit.QuestionId()).second);
        std::set<int> sids;
        for (const Sentence* sentence : unit.Sentences()) {
            Fuzz::Check(sentence->qid == unit.QuestionId());
            Fuzz::Check(sids.insert(sentence->sid).second);
        }
    }
}

void CheckPrints(const NodeSerializer& serializer, const QString& text)
{
    std::vector<Quiz> prints;
    if (!serializer.from_str(text, prints))
        return;
    Fuzz::Check(!prints.empty());
    for (const Quiz& quiz : prints) {
        Fuzz::Check(!quiz.Units().empty());
        CheckPrint(quiz);
    }
    const QString written = serializer.to_str(prints);
    std::vector<Quiz> again;
    Fuzz::Check(serializer.from_str(written, again));
    Fuzz::Check(serializer.to_str(again) == written);
}

void CheckNumbers(const NodeSerializer& serializer, const QString& text)
{
    std::vector<int> ids;
    if (serializer.from_str(text, ids)) {
        std::vector<int> again;
        Fuzz::Check(serializer.from_str(serializer.to_str(ids), again) && again == ids);
    }
    std::vector<std::pair<int, int>> intervals;
    serializer.from_str(text, intervals);
    std::map<int, int> counts;
    if (serializer.from_str(text, counts)) {
        std::map<int, int> again;
        Fuzz::Check(serializer.from_str(serializer.to_str(counts), again) && again == counts);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);

    Model& model = LoadedModel();
    const NodeSerializer serializer(model);
    for (const QString& text : Fuzz::TextsOf(data, size)) {
        CheckRange(serializer, model.Storage(), text);
        CheckPrints(serializer, text);
        CheckNumbers(serializer, text);
    }
    return 0;
}
