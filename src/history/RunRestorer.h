#pragma once

#include "history/RunRecord.h"

#include <QString>
#include <utility>
#include <vector>

class Model;

// Puts a recorded run back into the model: its book, question formats,
// range and prints with exactly its sentences in its order, so that the
// same test can be made again. What cannot be put back is said, never
// dropped silently.
class RunRestorer {
public:
    struct Outcome {
        bool restored = false;    // false: the book is not there, nothing changed
        bool bookChanged = false; // the book's title or sentences differ from the record
        // The recorded sub-questions the book no longer has (or whose
        // sentence now drills another keyword), with their print's
        // position (from 1).
        std::vector<std::pair<int, RecordedItem>> missing;
    };

    static Outcome Restore(Model& model, const RunRecord& run);
};
