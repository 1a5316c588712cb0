#pragma once

#include "markup/Cmd.h"

#include <QString>

// The largest print run the program undertakes. A teacher's largest real
// run (10 prints of 10 question formats with 50 sub-questions each, both
// halves) makes about 30,000 commands and some 500,000 characters; the
// limits leave a wide margin above that and stop, before the word
// processor is touched, the runs that would keep it busy for hours (a
// sentence of megabytes, millions of line breaks or external characters).
class RunLimits {
public:
    static constexpr int MaxCommands = 200000;
    // Characters of one command's text, and of the title or range line.
    static constexpr int MaxTextLength = 100000;
    // Characters of all texts together.
    static constexpr qint64 MaxTotalText = 4000000;

    enum class Exceeded { Nothing, Commands, TextLength, TotalText };
    struct Verdict {
        Exceeded exceeded = Exceeded::Nothing;
        qint64 actual = 0; // the count that is too large
        qint64 limit = 0;
        bool Allowed() const { return exceeded == Exceeded::Nothing; }
    };

    // Whether a run of `commands` with this title and range line stays
    // within the limits; the first limit exceeded otherwise.
    static Verdict Check(const Print::CmdList& commands, const QString& title, const QString& rangeText);
};
