#include "platformexport/ExportSet.h"

#include "markup/TagStripper.h"
#include "model/Book.h"
#include "model/Keyword.h"
#include "model/Question.h"
#include "model/Sentence.h"
#include "quiz/Model.h"
#include "quiz/QuizVisitor.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

namespace {

// Collects the sub-questions of one print in the order the parser of a
// print run visits them.
class ItemCollector : public QuizVisitor {
public:
    explicit ItemCollector(std::vector<ExportItem>& items)
        : m_items(items)
    {
    }

    void VisitQuestion(const Question* question, int number) override
    {
        m_question = question;
        m_formatNumber = number;
        m_formatTitle = question ? TagStripper().Strip(question->title) : QString();
    }

    void VisitSentence(const Sentence* sentence, int number) override
    {
        ExportItem item;
        item.formatNumber = m_formatNumber;
        if (m_question) {
            item.formatTitle = m_formatTitle;
            item.instruction = m_question->question;
        }
        item.number = number;
        item.position = static_cast<int>(m_items.size()) + 1;
        item.sentence = sentence->sentence;
        item.answer = sentence->answer;
        if (sentence->keyword)
            item.keyword = sentence->keyword->word;
        item.sid = sentence->sid;
        m_items.push_back(std::move(item));
    }

private:
    std::vector<ExportItem>& m_items;
    const Question* m_question = nullptr;
    QString m_formatTitle;
    int m_formatNumber = 0;
};

} // namespace

ExportSet ExportSet::FromModel(const Model& model, const QStringList& classNames)
{
    ExportSet set;
    if (const Book* book = model.Storage().CurrentBook())
        set.bookTitle = TagStripper().Strip(book->title);
    const std::vector<Quiz>& quizzes = model.Quizzes();
    set.prints.reserve(quizzes.size());
    for (int i = 0; i < static_cast<int>(quizzes.size()); ++i) {
        ExportPrint print;
        print.name = PrintName(i, classNames.value(i));
        ItemCollector collector(print.items);
        quizzes[static_cast<size_t>(i)].Accept(collector);
        set.prints.push_back(std::move(print));
    }
    return set;
}

QString ExportSet::PrintName(int index, const QString& className)
{
    const QString name = className.trimmed();
    if (!name.isEmpty())
        return name;
    return Res::String(Res::IDS_PRINT_TAB).replace(QLatin1String("%d"), QString::number(index + 1));
}

int ExportSet::ItemCount() const
{
    int count = 0;
    for (const ExportPrint& print : prints)
        count += static_cast<int>(print.items.size());
    return count;
}
