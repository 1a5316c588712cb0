#include "history/RunRecord.h"

#include "model/Book.h"
#include "model/DataBase.h"
#include "model/Keyword.h"
#include "model/NodeStorage.h"
#include "model/Question.h"
#include "model/Sentence.h"
#include "quiz/Model.h"
#include "quiz/NodeSerializer.h"
#include "quiz/QuizVisitor.h"

namespace {

// Collects one print's sub-questions with the numbers they are printed with.
class PrintCollector : public QuizVisitor {
public:
    explicit PrintCollector(RecordedPrint& print)
        : m_print(print)
    {
    }

    void VisitQuestion(const Question* question, int) override { m_question = question; }
    void VisitSentence(const Sentence* sentence, int number) override
    {
        RecordedItem item;
        item.qid = sentence->qid;
        item.format = m_question ? m_question->title : QString();
        item.sid = sentence->sid;
        item.kid = sentence->kid;
        item.keyword = sentence->keyword ? sentence->keyword->word : QString();
        item.number = number;
        m_print.items.push_back(std::move(item));
    }

private:
    RecordedPrint& m_print;
    const Question* m_question = nullptr;
};

QString FormatNames(const Model& model)
{
    QStringList names;
    for (int qid : model.SelectedQids()) {
        for (const Question* question : model.Storage().Questions()) {
            if (question->qid == qid)
                names << question->title;
        }
    }
    return names.join(QChar(0x3001));
}

} // namespace

int RunRecord::ItemCount() const
{
    int count = 0;
    for (const RecordedPrint& print : printList)
        count += static_cast<int>(print.items.size());
    return count;
}

RunRecord RunRecord::FromModel(Model& model, const QString& templateName, const QString& output, Kind kind)
{
    RunRecord run;
    run.when = QDateTime::currentDateTime();
    run.kind = kind;
    run.dbid = model.Db().Dbid();
    run.bid = model.Storage().CurrentBid();
    if (const Book* book = model.Storage().CurrentBook())
        run.bookTitle = book->title;
    const NodeSerializer serializer(model);
    run.formats = serializer.to_str(model.SelectedQids());
    run.formatNames = FormatNames(model);
    run.range = serializer.to_str(model.CurrentRange());
    run.rangeLine = model.RangeLine();
    run.prints = serializer.to_str(model.Quizzes());
    run.templateName = templateName;
    run.output = output;
    run.seed = model.SelectionSeed();
    for (const Quiz& quiz : model.Quizzes()) {
        RecordedPrint print;
        print.className = quiz.ClassName();
        PrintCollector collector(print);
        quiz.Accept(collector);
        run.printList.push_back(std::move(print));
    }
    return run;
}
