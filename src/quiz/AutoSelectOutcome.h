#pragma once
// What the automatic selection made of one print.
#include <vector>

class Sentence;

struct AutoSelectOutcome {
    std::vector<const Sentence*> sentences; // in the order they go into the print
    bool duplicates = false;                // some keyword serves two question formats
    bool tooFew = false;                    // fewer sentences than the counts asked for
    bool timedOut = false;                  // a cluster search ran out of time
    int repeats = 0;                        // sentences of keywords tested lately (avoidance)
};
