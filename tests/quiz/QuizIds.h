#pragma once
// Ids of what a print holds, for comparing prints in tests.
#include "model/Question.h"
#include "model/Sentence.h"
#include "quiz/Quiz.h"

#include <vector>

inline std::vector<int> QuestionIds(const Quiz& quiz)
{
    std::vector<int> qids;
    for (const QuestionUnit& unit : quiz.Units())
        qids.push_back(unit.QuestionId());
    return qids;
}

inline std::vector<int> SentenceIds(const QuestionUnit& unit)
{
    std::vector<int> sids;
    for (const Sentence* sentence : unit.Sentences())
        sids.push_back(sentence->sid);
    return sids;
}
