#include "DocumentLines.h"

namespace OfficeTest {

void PrintTo(const Line& line, std::ostream* out)
{
    *out << (line.pageBreakBefore ? "[page] " : "") << line.style.toStdString() << ": " << line.text.toStdString();
}

std::vector<Line> Lines(const std::shared_ptr<Word::_Document>& document)
{
    std::vector<Line> lines;
    for (const Paragraph& p : Paragraphs(document))
        lines.push_back({p.style, p.text, p.pageBreakBefore});
    return lines;
}

} // namespace OfficeTest
