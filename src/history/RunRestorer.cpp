#include "history/RunRestorer.h"

#include "model/Book.h"
#include "model/NodeStorage.h"
#include "model/Sentence.h"
#include "quiz/Model.h"
#include "quiz/NodeSerializer.h"

#include <set>

namespace {

const Book* FindBook(Model& model, const RunRecord& run)
{
    for (const Book* book : model.Storage().Books()) {
        if (book->bid == run.bid && book->dbid == run.dbid)
            return book;
    }
    return nullptr;
}

} // namespace

RunRestorer::Outcome RunRestorer::Restore(Model& model, const RunRecord& run)
{
    Outcome outcome;
    const Book* book = FindBook(model, run);
    if (!book || model.SelectBook(*book) != 0)
        return outcome;
    outcome.restored = true;
    outcome.bookChanged = book->title != run.bookTitle;

    const NodeSerializer serializer(model);
    Ranges range;
    serializer.from_str(run.range, range);
    model.SetRange(range);
    std::vector<int> qids;
    serializer.from_str(run.formats, qids);
    model.SetQuestions(qids);
    std::vector<Quiz> prints;
    serializer.from_str(run.prints, prints);
    for (std::size_t p = 0; p < prints.size() && p < run.printList.size(); ++p)
        prints[p].SetClassName(run.printList[p].className);
    model.ReplaceQuizzes(std::move(prints));

    for (std::size_t p = 0; p < run.printList.size(); ++p) {
        const Quiz quiz = model.GetQuiz(static_cast<int>(p));
        for (const RecordedItem& item : run.printList[p].items) {
            const Sentence* sentence = model.Storage().SentenceById(item.sid);
            const bool kept = sentence && sentence->kid == item.kid && quiz.UnitFor(item.qid).HasSentence(item.sid);
            if (!kept)
                outcome.missing.emplace_back(static_cast<int>(p) + 1, item);
        }
    }
    outcome.bookChanged = outcome.bookChanged || !outcome.missing.empty();
    model.NotifyViews();
    return outcome;
}
