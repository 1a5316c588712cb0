#include "quiz/Quiz.h"

#include "model/NodeStorage.h"
#include "quiz/ClassNames.h"
#include "quiz/QuizVisitor.h"

Quiz::Quiz(const NodeStorage* storage)
    : m_storage(storage)
{
}

void Quiz::SetClassName(const QString& name)
{
    m_className = ClassNames::Clean(name);
}

bool Quiz::AddQuestion(int qid)
{
    if (HasQuestion(qid))
        return true;
    const Question* question = m_storage ? m_storage->QuestionPool().Find(qid) : nullptr;
    if (!question)
        return false;
    m_questionIds.insert(qid);
    m_units.emplace_back(question);
    return true;
}

bool Quiz::AddSentence(const Sentence* sentence)
{
    if (!sentence || !AddQuestion(sentence->qid))
        return false;
    return FindUnit(sentence->qid)->AddSentence(sentence);
}

QuestionUnit Quiz::UnitFor(int qid) const
{
    for (const QuestionUnit& unit : m_units) {
        if (unit.QuestionId() == qid)
            return unit;
    }
    return QuestionUnit();
}

void Quiz::ReplaceUnit(const QuestionUnit& unit)
{
    if (!unit.GetQuestion())
        return;
    if (QuestionUnit* own = FindUnit(unit.QuestionId()))
        *own = unit;
}

void Quiz::SetQuestions(const std::vector<int>& qids)
{
    Quiz rebuilt(m_storage);
    for (int qid : qids) {
        if (rebuilt.HasQuestion(qid) || !rebuilt.AddQuestion(qid))
            continue;
        if (const QuestionUnit* old = FindUnit(qid)) {
            for (const Sentence* sentence : old->Sentences())
                rebuilt.FindUnit(qid)->AddSentence(sentence);
        }
    }
    m_units = std::move(rebuilt.m_units);
    m_questionIds = std::move(rebuilt.m_questionIds);
}

void Quiz::SortSentences(bool random)
{
    for (QuestionUnit& unit : m_units) {
        if (random)
            unit.Shuffle();
        else
            unit.SortByBook();
    }
}

void Quiz::Accept(QuizVisitor& visitor) const
{
    int questionNumber = 0;
    for (const QuestionUnit& unit : m_units) {
        visitor.VisitQuestion(unit.GetQuestion(), ++questionNumber);
        int sentenceNumber = 0;
        for (const Sentence* sentence : unit.Sentences())
            visitor.VisitSentence(sentence, ++sentenceNumber);
    }
}

int Quiz::SentenceCount() const
{
    int count = 0;
    for (const QuestionUnit& unit : m_units)
        count += static_cast<int>(unit.Sentences().size());
    return count;
}

QuestionUnit* Quiz::FindUnit(int qid)
{
    for (QuestionUnit& unit : m_units) {
        if (unit.QuestionId() == qid)
            return &unit;
    }
    return nullptr;
}
