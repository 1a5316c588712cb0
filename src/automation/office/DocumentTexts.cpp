#include "automation/office/DocumentTexts.h"

#include "automation/office/StoryReader.h"
#include "automation/office/TextMatcher.h"
#include "automation/office/UnoStrings.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/beans/XPropertySetInfo.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/drawing/XDrawPageSupplier.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XTextFrame.hpp>
#include <com/sun/star/text/XTextFramesSupplier.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/text/XTextTablesSupplier.hpp>

#include <functional>

using namespace css;

namespace Office {
namespace {

using Texts = std::vector<uno::Reference<text::XText>>;

// A text is taken once, however many ways lead to it (a header shared by
// left and right pages).
void Add(Texts& texts, const uno::Reference<text::XText>& text)
{
    if (!text.is())
        return;
    const uno::Reference<uno::XInterface> identity(text, uno::UNO_QUERY);
    for (const auto& known : texts)
        if (uno::Reference<uno::XInterface>(known, uno::UNO_QUERY) == identity)
            return;
    texts.push_back(text);
}

void AddTables(Texts& texts, const uno::Reference<text::XTextDocument>& model)
{
    const uno::Reference<container::XIndexAccess> tables(
        uno::Reference<text::XTextTablesSupplier>(model, uno::UNO_QUERY_THROW)->getTextTables(), uno::UNO_QUERY_THROW);
    for (sal_Int32 t = 0; t < tables->getCount(); ++t) {
        const uno::Reference<text::XTextTable> table(tables->getByIndex(t), uno::UNO_QUERY_THROW);
        for (const OUString& name : table->getCellNames())
            Add(texts, uno::Reference<text::XText>(table->getCellByName(name), uno::UNO_QUERY));
    }
}

void AddFrames(Texts& texts, const uno::Reference<text::XTextDocument>& model)
{
    const uno::Reference<container::XIndexAccess> frames(
        uno::Reference<text::XTextFramesSupplier>(model, uno::UNO_QUERY_THROW)->getTextFrames(), uno::UNO_QUERY_THROW);
    for (sal_Int32 f = 0; f < frames->getCount(); ++f)
        Add(texts, uno::Reference<text::XTextFrame>(frames->getByIndex(f), uno::UNO_QUERY_THROW)->getText());
}

// The headers and footers that are switched on, of every page style.
void AddHeadersAndFooters(Texts& texts, const uno::Reference<text::XTextDocument>& model)
{
    const uno::Reference<container::XNameAccess> styles(
        uno::Reference<style::XStyleFamiliesSupplier>(model, uno::UNO_QUERY_THROW)
            ->getStyleFamilies()
            ->getByName(OUString("PageStyles")),
        uno::UNO_QUERY_THROW);
    for (const OUString& name : styles->getElementNames()) {
        const uno::Reference<beans::XPropertySet> style(styles->getByName(name), uno::UNO_QUERY);
        if (!style.is())
            continue;
        const uno::Reference<beans::XPropertySetInfo> info = style->getPropertySetInfo();
        for (const char* part : {"Header", "Footer"}) {
            const OUString on = OUString::createFromAscii(part) + "IsOn";
            if (!info->hasPropertyByName(on) || !style->getPropertyValue(on).get<bool>())
                continue;
            for (const char* page : {"Text", "TextLeft", "TextFirst", "TextRight"}) {
                const OUString property = OUString::createFromAscii(part) + OUString::createFromAscii(page);
                if (info->hasPropertyByName(property))
                    Add(texts, uno::Reference<text::XText>(style->getPropertyValue(property), uno::UNO_QUERY));
            }
        }
    }
}

// Drawing shapes that hold text of their own; text frames, which stand on
// the draw page too, are among the frames already.
void AddShapeTexts(Texts& texts, const uno::Reference<text::XTextDocument>& model)
{
    const uno::Reference<container::XIndexAccess> shapes(
        uno::Reference<drawing::XDrawPageSupplier>(model, uno::UNO_QUERY_THROW)->getDrawPage(), uno::UNO_QUERY_THROW);
    for (sal_Int32 s = 0; s < shapes->getCount(); ++s) {
        const uno::Reference<lang::XServiceInfo> service(shapes->getByIndex(s), uno::UNO_QUERY);
        if (!service.is() || service->supportsService(OUString("com.sun.star.text.TextFrame"))
            || service->supportsService(OUString("com.sun.star.text.TextGraphicObject"))
            || service->supportsService(OUString("com.sun.star.text.TextEmbeddedObject")))
            continue;
        Add(texts, uno::Reference<text::XText>(service, uno::UNO_QUERY));
    }
}

// Calls `visit` with the start of each paragraph of each text and the
// paragraph's units; nested tables are among the tables themselves.
void EachParagraph(const Texts& texts,
    const std::function<void(
        const uno::Reference<text::XText>&, const uno::Reference<text::XTextRange>&, const QString&)>& visit)
{
    for (const uno::Reference<text::XText>& text : texts) {
        const StoryReader reader(text);
        const uno::Reference<container::XEnumerationAccess> access(text, uno::UNO_QUERY);
        if (!access.is())
            continue;
        // The text of a drawing shape has characters only, and cursors that
        // know no paragraphs: its paragraphs are read as they are.
        const bool plain = !uno::Reference<text::XParagraphCursor>(text->createTextCursor(), uno::UNO_QUERY).is();
        const uno::Reference<container::XEnumeration> parts = access->createEnumeration();
        while (parts->hasMoreElements()) {
            const uno::Reference<text::XTextRange> paragraph(parts->nextElement(), uno::UNO_QUERY);
            if (!paragraph.is()
                || uno::Reference<uno::XInterface>(paragraph->getText(), uno::UNO_QUERY)
                    != uno::Reference<uno::XInterface>(text, uno::UNO_QUERY))
                continue;
            const uno::Reference<text::XTextRange> start = paragraph->getStart();
            visit(text, start,
                plain ? ToQString(paragraph->getString())
                      : reader.ReadByStepping(text->createTextCursorByRange(start)));
        }
    }
}

} // namespace

std::vector<uno::Reference<text::XText>> TextsBesideMain(
    const uno::Reference<text::XTextDocument>& model, BesideMain which)
{
    Texts texts;
    if (which == BesideMain::All) {
        AddTables(texts, model);
        AddFrames(texts, model);
    }
    AddHeadersAndFooters(texts, model);
    AddShapeTexts(texts, model);
    return texts;
}

int ReplaceBesideMain(const uno::Reference<text::XTextDocument>& model, const TextMatcher& matcher,
    const QString& replacement, BesideMain which)
{
    return ReplaceInTexts(TextsBesideMain(model, which), matcher, replacement);
}

int ReplaceInTexts(const Texts& texts, const TextMatcher& matcher, const QString& replacement)
{
    int replaced = 0;
    EachParagraph(texts, [&](const auto& text, const auto& start, const QString& units) {
        const QList<int> hits = matcher.FindAll(units);
        // From the last match back, so the earlier places hold.
        for (auto it = hits.crbegin(); it != hits.crend(); ++it) {
            const uno::Reference<text::XTextCursor> cursor = text->createTextCursorByRange(start);
            StoryReader::Go(cursor, StoryReader::Steps(units, 0, *it), false);
            StoryReader::Go(cursor, StoryReader::Steps(units, *it, *it + matcher.Length()), true);
            cursor->setString(ToOUString(replacement));
            ++replaced;
        }
    });
    return replaced;
}

bool FoundBesideMain(
    const uno::Reference<text::XTextDocument>& model, const std::function<bool(const QString&)>& matches)
{
    bool found = false;
    EachParagraph(TextsBesideMain(model),
        [&](const auto&, const auto&, const QString& units) { found = found || matches(units); });
    return found;
}

} // namespace Office
