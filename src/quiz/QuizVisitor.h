#pragma once
// Walks a print: each question format with its number within the print,
// then each of its sentences with its number within the format.
class Question;
class Sentence;

class QuizVisitor {
public:
    virtual void VisitSentence(const Sentence* sentence, int number) = 0;
    virtual void VisitQuestion(const Question* question, int number) = 0;

protected:
    // Visitors are never deleted through this interface.
    ~QuizVisitor() = default;
};
