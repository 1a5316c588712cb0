#include "DocumentLines.h"

#include <gtest/gtest.h>

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

void ExpectSameDocument(
    const std::shared_ptr<Word::_Document>& expected, const std::shared_ptr<Word::_Document>& actual)
{
    EXPECT_EQ(Lines(actual), Lines(expected));
    const std::vector<Portion> want = Portions(expected);
    const std::vector<Portion> got = Portions(actual);
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(want[i].text.toStdString());
        EXPECT_EQ(got[i].text, want[i].text);
        EXPECT_EQ(got[i].underline, want[i].underline);
        EXPECT_EQ(got[i].escapement, want[i].escapement);
        EXPECT_EQ(got[i].rotation, want[i].rotation);
        EXPECT_EQ(got[i].faceWestern, want[i].faceWestern);
        EXPECT_EQ(got[i].faceAsian, want[i].faceAsian);
        EXPECT_EQ(got[i].height, want[i].height);
        EXPECT_EQ(got[i].heightAsian, want[i].heightAsian);
    }
}

} // namespace OfficeTest
