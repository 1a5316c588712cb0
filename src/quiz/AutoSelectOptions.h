#pragma once

#include <QString>

#include <utility>
#include <vector>

class Question;

// Parameters of one automatic selection: how many prints to fill, the
// sub-question count for formats without their own, the count of each
// selected question format (in selection order), whether the chosen
// sub-questions keep their random order, and the name of each class (the
// first print's first; a print without one is unnamed).
struct AutoSelectOptions {
    // The prints one selection makes: one per class.
    static constexpr int kMinPrintCount = 1;
    static constexpr int kMaxPrintCount = 10;

    int printCount = 3;
    int defaultCount = 10;
    std::vector<std::pair<const Question*, int>> counts;
    bool randomize = true;
    std::vector<QString> classNames;
};
