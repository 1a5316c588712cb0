#pragma once
// One question format of a print with the sentences chosen as its
// sub-questions, in print order. A value: copies are independent. Every
// sentence belongs to the unit's question and appears at most once.
#include <set>
#include <vector>

class Question;
class Sentence;

class QuestionUnit {
public:
    // An empty unit: no question, no sentences.
    QuestionUnit() = default;
    explicit QuestionUnit(const Question* question);
    virtual ~QuestionUnit() = default;

    QuestionUnit(const QuestionUnit&) = default;
    QuestionUnit& operator=(const QuestionUnit&) = default;

    // Null in an empty unit.
    const Question* GetQuestion() const { return m_question; }
    // The question's id, 0 in an empty unit.
    int QuestionId() const;
    const std::vector<const Sentence*>& Sentences() const { return m_sentences; }
    bool HasSentence(int sid) const { return m_sentenceIds.count(sid) != 0; }
    bool IsEmpty() const { return m_sentences.empty(); }

    // Appends the sentence unless it is already there. False (and nothing
    // added) for null, or for a sentence of another question.
    bool AddSentence(const Sentence* sentence);
    // Removes the sentence; false when it was not there.
    bool RemoveSentence(int sid);
    void ClearSentences();

    // Book order: ascending keyword id, then sort_key.
    void SortByBook();
    // Random order from the program's generator.
    void Shuffle();

private:
    const Question* m_question = nullptr;
    std::vector<const Sentence*> m_sentences;
    std::set<int> m_sentenceIds;
};
