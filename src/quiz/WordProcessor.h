#pragma once

// A word processor prints are written to, as the model sees it when it
// chooses one: whether it can be started here. The print writers
// (Print::Creator) are word processors.
class WordProcessor {
public:
    virtual ~WordProcessor() = default;

    // Whether the word processor can be started here. Never throws; the
    // answer may be cached for the life of the process.
    virtual bool IsAvailable() = 0;
};
