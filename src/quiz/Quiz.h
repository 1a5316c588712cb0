#pragma once
// One print: its question formats (units) in print order, each with its
// chosen sentences. A value: dialogs take copies, edit them and hand them
// back whole. A print holds at most one unit per question.
//
// Questions are looked up in the node storage the print was made for; its
// nodes, and so the print, are valid only while that book stays selected.
#include "quiz/QuestionUnit.h"

#include <QString>

#include <set>
#include <vector>

class NodeStorage;
class QuizVisitor;
class Sentence;

class Quiz {
public:
    // A print that cannot take questions (no book).
    Quiz() = default;
    // An empty print of the book held by `storage`.
    explicit Quiz(const NodeStorage* storage);
    virtual ~Quiz() = default;

    Quiz(const Quiz&) = default;
    Quiz& operator=(const Quiz&) = default;

    // Appends an empty unit for the question unless the print has one.
    // False when the book has no such question.
    bool AddQuestion(int qid);
    // Adds the sentence to the unit of its question, appending that unit
    // first when needed. True also when the sentence was already there;
    // false for null or a question the book lacks.
    bool AddSentence(const Sentence* sentence);

    // A copy of the unit of the question; an empty unit when there is none.
    QuestionUnit UnitFor(int qid) const;
    // Replaces the unit of the same question; nothing when there is none.
    void ReplaceUnit(const QuestionUnit& unit);
    // Rebuilds the units in the given order: questions the book lacks and
    // repeated ids are skipped, units of other questions are dropped, new
    // questions get empty units, kept units keep their sentences.
    void SetQuestions(const std::vector<int>& qids);
    // Reorders the sentences inside every unit: shuffled when `random`,
    // otherwise in book order (keyword id, then sort_key).
    void SortSentences(bool random);

    // Each unit's question numbered from 1, then its sentences numbered
    // from 1 within the unit.
    void Accept(QuizVisitor& visitor) const;

    const std::vector<QuestionUnit>& Units() const { return m_units; }
    bool HasQuestion(int qid) const { return m_questionIds.count(qid) != 0; }
    // The number of sentences in all units.
    int SentenceCount() const;
    const NodeStorage* Storage() const { return m_storage; }

    // The class the print is for ("1年A組"); empty when it has none. It
    // takes the place of "@class" in the template and of the print's
    // number on its tab.
    const QString& ClassName() const { return m_className; }
    void SetClassName(const QString& name);

private:
    QuestionUnit* FindUnit(int qid);

    const NodeStorage* m_storage = nullptr;
    std::vector<QuestionUnit> m_units;
    std::set<int> m_questionIds;
    QString m_className;
};
