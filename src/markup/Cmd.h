#pragma once
// One print command: what the parser emits for a stretch of a print and what
// a creator replays into the word processor. Creators ignore kinds outside
// 1..12, so the kind is kept as a plain int rather than narrowed to the enum.
#include <QString>
#include <memory>
#include <vector>

namespace Print {

enum CmdKind : int {
    QuestionHead = 1, // number of a question format
    ItemNumber = 2,   // number of a sub-question
    AnswerNumber = 3, // number of an answer line
    NewParagraph = 4,
    NewPage = 5,
    LineBreak = 6, // line break inside the paragraph
    Text = 7,
    UnderlinedText = 8,
    SubscriptText = 9,
    PrintId = 10,      // number of the print
    PageHeader = 11,   // copy of the template's header block
    ExternalChar = 12, // one character in the external-character font
};

struct Cmd {
    int kind = 0;
    QString text;

    bool operator==(const Cmd&) const = default;
};

// Commands are shared between the parser that builds the list and the
// creator that replays it.
using CmdPtr = std::shared_ptr<const Cmd>;
using CmdList = std::vector<CmdPtr>;

} // namespace Print
