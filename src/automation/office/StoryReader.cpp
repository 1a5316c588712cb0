#include "automation/office/StoryReader.h"

#include "automation/office/UnoStrings.h"

#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XTextRangeCompare.hpp>

#include <algorithm>

using namespace css;

namespace Office {
namespace {

const QChar ObjectUnit(0xFFFC);

uno::Reference<text::XTextRange> AsRange(const uno::Reference<text::XTextCursor>& cursor)
{
    return uno::Reference<text::XTextRange>(cursor.get());
}

// What one step over a place inside a paragraph adds.
QString UnitOf(const QString& stepped)
{
    if (stepped == QLatin1String("\n"))
        return QStringLiteral("\v");
    if (stepped.size() == 1 && !stepped.at(0).isSurrogate())
        return stepped;
    if (stepped.size() == 2 && stepped.at(0).isHighSurrogate() && stepped.at(1).isLowSurrogate())
        return stepped;
    return QString(ObjectUnit);
}

} // namespace

StoryReader::StoryReader(uno::Reference<text::XText> text)
    : m_text(std::move(text))
{
}

int StoryReader::Steps(const QString& text, int from, int to)
{
    if (to < 0)
        to = static_cast<int>(text.size());
    int steps = to - from;
    for (int i = std::max(from, 1); i < to; ++i)
        if (text.at(i).isLowSurrogate() && text.at(i - 1).isHighSurrogate())
            --steps;
    return steps;
}

void StoryReader::Go(const uno::Reference<text::XTextCursor>& cursor, int steps, bool expand)
{
    while (steps != 0) {
        const int chunk = std::clamp(steps, -32767, 32767);
        if (chunk > 0)
            cursor->goRight(static_cast<sal_Int16>(chunk), expand);
        else
            cursor->goLeft(static_cast<sal_Int16>(-chunk), expand);
        steps -= chunk;
    }
}

uno::Reference<text::XTextCursor> StoryReader::StartCursor() const
{
    uno::Reference<text::XTextCursor> cursor = m_text->createTextCursor();
    cursor->gotoStart(false);
    return cursor;
}

QString StoryReader::ReadFrom(const uno::Reference<text::XTextCursor>& from) const
{
    QString story = ReadParagraph(from) + QLatin1Char('\r');
    const uno::Reference<text::XParagraphCursor> rest(
        m_text->createTextCursorByRange(AsRange(from)), uno::UNO_QUERY_THROW);
    rest->gotoEndOfParagraph(false);
    uno::Reference<text::XTextRange> lastRead = rest->getStart();
    rest->gotoEnd(true);
    const uno::Reference<container::XEnumeration> parts
        = uno::Reference<container::XEnumerationAccess>(rest, uno::UNO_QUERY_THROW)->createEnumeration();
    bool first = true;
    while (parts->hasMoreElements()) {
        const uno::Any part = parts->nextElement();
        const uno::Reference<text::XTextTable> table(part, uno::UNO_QUERY);
        if (table.is()) {
            story += TableUnits(table);
            lastRead.clear();
        } else if (!first) {
            const uno::Reference<text::XTextRange> paragraph(part, uno::UNO_QUERY_THROW);
            story += ReadParagraph(m_text->createTextCursorByRange(paragraph->getStart())) + QLatin1Char('\r');
            lastRead = paragraph->getEnd();
        }
        first = false; // the paragraph of `from`, read above
    }
    // The enumeration of a range can leave out the last paragraph (after a
    // table or a section): it is read unless it was.
    const uno::Reference<text::XParagraphCursor> last(m_text->createTextCursor(), uno::UNO_QUERY_THROW);
    last->gotoEnd(false);
    const uno::Reference<text::XTextRangeCompare> compare(m_text, uno::UNO_QUERY_THROW);
    if (!lastRead.is() || compare->compareRegionEnds(lastRead, last->getEnd()) != 0) {
        last->gotoStartOfParagraph(false);
        story += ReadParagraph(uno::Reference<text::XTextCursor>(last, uno::UNO_QUERY_THROW)) + QLatin1Char('\r');
    }
    return story;
}

// The cursor walks through a table's cells in the document's order, one
// step over each character and each paragraph end; these places are not
// positions anyone is handed, so they all read as U+FFFC.
QString StoryReader::TableUnits(const uno::Reference<text::XTextTable>& table) const
{
    QString units;
    for (const OUString& name : table->getCellNames()) {
        const uno::Reference<text::XText> cell(table->getCellByName(name), uno::UNO_QUERY_THROW);
        const StoryReader inCell(cell);
        const uno::Reference<container::XEnumeration> parts
            = uno::Reference<container::XEnumerationAccess>(cell, uno::UNO_QUERY_THROW)->createEnumeration();
        while (parts->hasMoreElements()) {
            const uno::Any part = parts->nextElement();
            const uno::Reference<text::XTextTable> nested(part, uno::UNO_QUERY);
            if (nested.is()) {
                units += TableUnits(nested);
                continue;
            }
            const uno::Reference<text::XTextRange> paragraph(part, uno::UNO_QUERY_THROW);
            // The paragraphs of nested tables' cells are read with their tables.
            if (uno::Reference<uno::XInterface>(paragraph->getText(), uno::UNO_QUERY)
                != uno::Reference<uno::XInterface>(cell, uno::UNO_QUERY))
                continue;
            // Cells are short: read step by step (the office will not
            // compare places in a cell that holds a table).
            const QString text = inCell.ReadByStepping(cell->createTextCursorByRange(paragraph->getStart()));
            units += QString(Steps(text) + 1, ObjectUnit);
        }
    }
    return units;
}

QString StoryReader::ReadParagraph(const uno::Reference<text::XTextCursor>& from) const
{
    return ReadParagraphAt(m_text->createTextCursorByRange(AsRange(from)));
}

// Whole when the paragraph's text has as many characters as the cursor
// takes steps to cross it; step by step otherwise.
QString StoryReader::ReadParagraphAt(const uno::Reference<text::XTextCursor>& cursor) const
{
    const uno::Reference<text::XParagraphCursor> rest(
        m_text->createTextCursorByRange(AsRange(cursor)), uno::UNO_QUERY_THROW);
    rest->gotoEndOfParagraph(true);
    QString paragraph = ToQString(rest->getString());
    const uno::Reference<text::XTextCursor> probe = m_text->createTextCursorByRange(AsRange(cursor));
    Go(probe, Steps(paragraph), false);
    const uno::Reference<text::XTextRangeCompare> compare(m_text, uno::UNO_QUERY_THROW);
    if (compare->compareRegionEnds(AsRange(probe), rest->getEnd()) != 0)
        return ReadByStepping(m_text->createTextCursorByRange(AsRange(cursor)));
    paragraph.replace(QLatin1Char('\n'), QLatin1Char('\v'));
    if (paragraph.contains(QChar(0xFFFC)) || paragraph.contains(QChar(0xFFF9)))
        return ReadByStepping(m_text->createTextCursorByRange(AsRange(cursor)));
    return paragraph;
}

QString StoryReader::ReadByStepping(const uno::Reference<text::XTextCursor>& cursor) const
{
    const uno::Reference<text::XParagraphCursor> paragraph(cursor, uno::UNO_QUERY_THROW);
    QString units;
    while (!paragraph->isEndOfParagraph()) {
        if (!cursor->goRight(1, true))
            break;
        units += UnitOf(ToQString(cursor->getString()));
        cursor->collapseToEnd();
    }
    return units;
}

} // namespace Office
