#pragma once

#include <QString>

#include <utility>
#include <vector>

class Question;

// Parameters of one automatic selection: how many prints to fill, the
// sub-question count for formats without their own, the count of each
// selected question format (in selection order), whether the chosen
// sub-questions keep their random order, and the name of each class (the
// first print's first; a print without one is unnamed), and how many of
// the last recorded runs each class's keywords are kept out of (0: none).
struct AutoSelectOptions {
    // The prints one selection makes: one per class.
    static constexpr int kMinPrintCount = 1;
    static constexpr int kMaxPrintCount = 10;
    // The look-back of 出題済みの語を避ける: at most a school year of weeks.
    static constexpr int kMaxAvoidRuns = 50;

    int printCount = 3;
    int defaultCount = 10;
    std::vector<std::pair<const Question*, int>> counts;
    bool randomize = true;
    std::vector<QString> classNames;
    int avoidRuns = 0;
};
