#pragma once

#include "model/NodeStorage.h"
#include "model/Question.h"
#include "quiz/Model.h"
#include "quiz/Quiz.h"

#include <vector>

// The smallest selection that prints: the book's first question format, and
// its first sentence in the first print. False when the book has none.
inline bool SelectFirstSentence(Model& model)
{
    const int qid = model.Storage().Questions().front()->qid;
    model.SetQuestions({qid});
    std::vector<Sentence*> sentences;
    if (model.Storage().SentencesOf(qid, sentences) <= 0)
        return false;
    Quiz quiz = model.GetQuiz(0);
    quiz.AddSentence(sentences.front());
    model.SetQuiz(0, quiz);
    return true;
}
