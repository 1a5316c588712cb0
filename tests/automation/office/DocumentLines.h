#pragma once
// What print-run tests compare: the paragraphs of a document as lines
// (style, text, page break before), and a builder for command lists.
#include "OfficeTestSupport.h"
#include "markup/Cmd.h"

#include <ostream>
#include <vector>

namespace OfficeTest {

struct Line {
    QString style;
    QString text;
    bool pageBreakBefore = false;
    bool operator==(const Line&) const = default;
};

void PrintTo(const Line& line, std::ostream* out);

// The paragraphs of the document's main text as the office has them.
std::vector<Line> Lines(const std::shared_ptr<Word::_Document>& document);

// The paragraphs and the formatted portions of two documents are the same.
void ExpectSameDocument(
    const std::shared_ptr<Word::_Document>& expected, const std::shared_ptr<Word::_Document>& actual);

class CommandList {
public:
    void Add(int kind, const QString& text = {})
    {
        list.push_back(std::make_shared<Print::Cmd>(Print::Cmd{kind, text}));
    }
    Print::CmdList list;
};

} // namespace OfficeTest
