#include "quiz/QuestionUnit.h"

#include "model/Question.h"
#include "model/Sentence.h"
#include "quiz/RandomGenerator.h"

#include <algorithm>
#include <tuple>

QuestionUnit::QuestionUnit(const Question* question)
    : m_question(question)
{
}

int QuestionUnit::QuestionId() const
{
    return m_question ? m_question->qid : 0;
}

bool QuestionUnit::AddSentence(const Sentence* sentence)
{
    if (!sentence || !m_question || sentence->qid != m_question->qid)
        return false;
    if (m_sentenceIds.insert(sentence->sid).second)
        m_sentences.push_back(sentence);
    return true;
}

bool QuestionUnit::RemoveSentence(int sid)
{
    if (m_sentenceIds.erase(sid) == 0)
        return false;
    m_sentences.erase(
        std::remove_if(m_sentences.begin(), m_sentences.end(), [sid](const Sentence* s) { return s->sid == sid; }),
        m_sentences.end());
    return true;
}

void QuestionUnit::ClearSentences()
{
    m_sentences.clear();
    m_sentenceIds.clear();
}

void QuestionUnit::SortByBook()
{
    std::stable_sort(m_sentences.begin(), m_sentences.end(), [](const Sentence* a, const Sentence* b) {
        return std::tie(a->kid, a->sort_key) < std::tie(b->kid, b->sort_key);
    });
}

void QuestionUnit::Shuffle()
{
    RandomGenerator::Shuffle(m_sentences);
}
