#pragma once

#include <QString>

namespace Print {

// Follows a print run step by step and may ask it to stop. A run counts
// one step for opening the template, one per command, and one each for the
// placeholders, completing the document and handing it over (or saving it).
class RunObserver {
public:
    virtual ~RunObserver() = default;
    // After each step: `done` of `total`. False asks the run to stop; it
    // then ends as a failed run does (the document is discarded).
    virtual bool Progress(int done, int total) = 0;
    // Within a long step (a walk over the whole document): the word
    // processor is still answering, though no step has ended.
    virtual void StillWorking() { }
};

// Where a run puts its document: handed to the teacher in the word
// processor (no path), or written to the file `path` in `format` ("pdf",
// "odt", "docx", "doc") and closed, the word processor never shown.
struct RunDestination {
    QString path;
    QString format;
    bool IsFile() const { return !path.isEmpty(); }
};

} // namespace Print
