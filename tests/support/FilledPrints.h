#pragma once

#include "model/NodeStorage.h"
#include "model/Question.h"
#include "quiz/Model.h"
#include "quiz/Quiz.h"

#include <algorithm>
#include <vector>

// Replaces the prints of `model` by `prints` prints over every question
// format of its book: print p takes the sentences of each format from the
// (p * perFormat)-th on, wrapping round, up to `perFormat` of them.
inline void FillPrints(Model& model, int prints, int perFormat)
{
    std::vector<int> qids;
    for (const Question* question : model.Storage().Questions())
        qids.push_back(question->qid);
    model.SetQuestions(qids);
    std::vector<Quiz> quizzes;
    for (int p = 0; p < prints; ++p) {
        Quiz quiz = model.NewQuiz();
        quiz.SetQuestions(qids);
        for (int qid : qids) {
            std::vector<Sentence*> sentences;
            const int count = model.Storage().SentencesOf(qid, sentences);
            for (int i = 0; i < std::min(perFormat, count); ++i)
                quiz.AddSentence(sentences[static_cast<size_t>((p * perFormat + i) % count)]);
        }
        quizzes.push_back(quiz);
    }
    model.ReplaceQuizzes(quizzes);
}
