#include "quiz/NodeSerializer.h"

#include "model/DecimalText.h"
#include "model/NodeStorage.h"
#include "model/TableOrder.h"
#include "quiz/CountsText.h"
#include "quiz/Model.h"
#include "quiz/QuizVisitor.h"
#include "quiz/TextSplit.h"

#include <algorithm>
#include <set>

namespace {

// Writes one print: units joined by "|", each "qid:" with its sentence ids
// joined by ",".
class QuizSerializer : public QuizVisitor {
public:
    void VisitQuestion(const Question* question, int number) override
    {
        if (number > 1)
            text += u'|';
        text += DecimalText::Format(question ? question->qid : 0) + u':';
    }
    void VisitSentence(const Sentence* sentence, int number) override
    {
        if (number > 1)
            text += u',';
        text += DecimalText::Format(sentence->sid);
    }

    QString text;
};

// The entries of the table of contents in pre-order, as the range dialog
// lists them.
void CollectInTableOrder(const Index* index, std::vector<int>& out)
{
    ForEachInTableOrder(index, [&out](const Index& entry) { out.push_back(entry.iid); });
}

} // namespace

NodeSerializer::NodeSerializer(Model& model)
    : m_model(model)
{
}

QString NodeSerializer::to_str(int value) const
{
    return DecimalText::Format(value);
}

QString NodeSerializer::to_str(const std::vector<int>& values) const
{
    QStringList pieces;
    for (int value : values)
        pieces.append(to_str(value));
    return pieces.join(u',');
}

QString NodeSerializer::to_str(const Ranges& range) const
{
    switch (range.Type()) {
    case Range::ByIndex: {
        const std::set<int> ids = range.IndexIds();
        return to_str(Range::ByIndex) + u':' + to_str(std::vector<int>(ids.begin(), ids.end()));
    }
    case Range::ByNumber: {
        const RangeNumber& number = *range.NumberRange();
        QStringList intervals;
        for (const auto& [low, high] : number.GetIntervals())
            intervals.append(to_str(low) + u',' + to_str(high));
        return to_str(Range::ByNumber) + u':' + to_str(number.AttrClassId()) + u'/' + intervals.join(u'|');
    }
    default: return QString();
    }
}

QString NodeSerializer::to_str(const std::vector<Quiz>& quizzes) const
{
    QString text;
    for (std::size_t i = 0; i < quizzes.size(); ++i) {
        if (i > 0)
            text += u'/';
        QuizSerializer serializer;
        quizzes[i].Accept(serializer);
        text += serializer.text;
    }
    return text;
}

QString NodeSerializer::to_str(const std::map<int, int>& counts) const
{
    return CountsText::Format(counts);
}

bool NodeSerializer::from_str(const QString& text, int& out) const
{
    const std::optional<int> value = DecimalText::Scan(text);
    if (!value)
        return false;
    out = *value;
    return true;
}

bool NodeSerializer::from_str(const QString& text, std::pair<int, int>& out) const
{
    const QStringList pieces = TextSplit::Split(text, u',');
    if (pieces.isEmpty())
        return false;
    int low = 0;
    int high = 0;
    if (!from_str(pieces[0], low))
        return false;
    if (pieces.size() == 1)
        high = low;
    else if (!from_str(pieces[1], high))
        return false;
    out = {low, high};
    return true;
}

bool NodeSerializer::from_str(const QString& text, std::vector<std::pair<int, int>>& out) const
{
    std::vector<std::pair<int, int>> intervals;
    for (const QString& piece : TextSplit::Split(text, u'|')) {
        std::pair<int, int> interval;
        if (from_str(piece, interval))
            intervals.push_back(interval);
    }
    if (intervals.empty())
        return false;
    out = std::move(intervals);
    return true;
}

bool NodeSerializer::from_str(const QString& text, Ranges& out) const
{
    out = Ranges();
    const QStringList pieces = TextSplit::Split(text, u':');
    int kind = 0;
    if (pieces.size() < 2 || !from_str(pieces[0], kind))
        return true;
    if (kind == Range::ByIndex)
        out = IndexRangeFrom(pieces[1]);
    else if (kind == Range::ByNumber)
        out = NumberRangeFrom(pieces[1]);
    return true;
}

// The stored ids that are entries of the current book. They are put back
// into table-of-contents order, the order in which the range was chosen,
// since the stored text lists them ascending and the range's description
// names its first and last entry.
Ranges NodeSerializer::IndexRangeFrom(const QString& text) const
{
    std::vector<int> stored;
    from_str(text, stored);
    const NodeStorage& storage = m_model.Storage();
    const std::set<int> wanted(stored.begin(), stored.end());
    std::vector<int> ordered;
    std::vector<int> tableOrder;
    CollectInTableOrder(storage.Root(), tableOrder);
    for (int iid : tableOrder) {
        if (wanted.count(iid) && std::find(ordered.begin(), ordered.end(), iid) == ordered.end())
            ordered.push_back(iid);
    }
    // Entries that are in the book but not in its tree keep the stored order.
    for (int iid : stored) {
        if (storage.IndexPool().Find(iid) && std::find(ordered.begin(), ordered.end(), iid) == ordered.end())
            ordered.push_back(iid);
    }
    return Ranges(std::move(ordered));
}

Ranges NodeSerializer::NumberRangeFrom(const QString& text) const
{
    const QStringList parts = TextSplit::Split(text, u'/');
    int attrClassId = 0;
    if (parts.isEmpty() || !from_str(parts[0], attrClassId))
        return Ranges();
    std::vector<std::pair<int, int>> intervals;
    if (parts.size() > 1)
        from_str(parts[1], intervals);
    return Ranges(attrClassId, std::move(intervals));
}

bool NodeSerializer::from_str(const QString& text, std::vector<Quiz>& out) const
{
    std::vector<Quiz> quizzes;
    for (const QString& piece : TextSplit::Split(text, u'/')) {
        Quiz quiz = m_model.NewQuiz();
        if (from_str(piece, quiz))
            quizzes.push_back(std::move(quiz));
    }
    if (quizzes.empty())
        return false;
    out = std::move(quizzes);
    return true;
}

bool NodeSerializer::from_str(const QString& text, Quiz& out) const
{
    Quiz quiz = m_model.NewQuiz();
    for (const QString& piece : TextSplit::Split(text, u'|'))
        AddUnit(piece, quiz);
    if (quiz.Units().empty())
        return false;
    out = std::move(quiz);
    return true;
}

void NodeSerializer::AddUnit(const QString& text, Quiz& quiz) const
{
    const QStringList parts = TextSplit::Split(text, u':');
    int qid = 0;
    if (parts.isEmpty() || !from_str(parts[0], qid))
        return;
    // A question the book no longer has gets no unit, but its sentences
    // still join the units of their own questions.
    quiz.AddQuestion(qid);
    if (parts.size() < 2)
        return;
    std::vector<int> sids;
    from_str(parts[1], sids);
    NodeStorage& storage = m_model.Storage();
    for (int sid : sids)
        quiz.AddSentence(storage.SentenceById(sid));
}

bool NodeSerializer::from_str(const QString& text, std::map<int, int>& out) const
{
    std::map<int, int> counts = CountsText::Parse(text);
    if (counts.empty())
        return false;
    out = std::move(counts);
    return true;
}

bool NodeSerializer::from_str(const QString& text, std::vector<int>& out) const
{
    std::vector<int> values;
    for (const QString& piece : TextSplit::Split(text, u',')) {
        int value = 0;
        if (from_str(piece, value))
            values.push_back(value);
    }
    if (values.empty())
        return false;
    out = std::move(values);
    return true;
}
