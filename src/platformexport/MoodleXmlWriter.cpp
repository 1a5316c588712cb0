#include "platformexport/MoodleXmlWriter.h"

#include "platformexport/AnswerNormalizer.h"
#include "platformexport/EscapeTable.h"
#include "platformexport/ExportSet.h"
#include "platformexport/ItemText.h"
#include "platformexport/ParallelPrints.h"

#include "platformexport/XmlText.h"

namespace {

void WriteText(XmlText& xml, std::string_view element, const QString& text)
{
    xml.StartElement(element);
    xml.TextElement("text", text);
    xml.EndElement();
}

// An element holding one "text" element of HTML, written by `html`.
template <typename HtmlWriter>
void WriteHtml(XmlText& xml, std::string_view element, HtmlWriter html)
{
    xml.StartElement(element);
    xml.Attribute("format", "html");
    xml.StartElement("text");
    html(xml.RawCharacters(), EscapeTable::XmlText());
    xml.EndElement();
    xml.EndElement();
}

void WriteCategory(XmlText& xml, const ExportSet& set, const ExportPrint& print)
{
    xml.StartElement("question");
    xml.Attribute("type", "category");
    WriteText(xml, "category",
        QStringLiteral("$course$/") + MoodleXmlWriter::CategoryName(set.bookTitle) + QLatin1Char('/')
            + MoodleXmlWriter::CategoryName(print.name));
    xml.EndElement();
}

void WriteQuestion(XmlText& xml, const ExportPrint& print, const ExportItem& item)
{
    xml.StartElement("question");
    xml.Attribute("type", "shortanswer");
    xml.StartElement("name");
    xml.StartElement("text");
    ItemText::AppendName(xml.RawCharacters(), print, item, EscapeTable::XmlText());
    xml.EndElement();
    xml.EndElement();
    WriteHtml(xml, "questiontext",
        [&](Utf8Text& out, const EscapeTable& document) { ItemText::AppendQuestionHtml(out, item, document); });
    WriteHtml(xml, "generalfeedback",
        [&](Utf8Text& out, const EscapeTable& document) { ItemText::AppendAnswerHtml(out, item, document); });
    xml.TextElement("defaultgrade", "1");
    xml.TextElement("penalty", "0");
    xml.TextElement("hidden", "0");
    xml.TextElement("usecase", "0");
    for (const QString& accepted : AnswerNormalizer::Alternatives(item.answer)) {
        xml.StartElement("answer");
        xml.Attribute("fraction", "100");
        xml.Attribute("format", "moodle_auto_format");
        xml.TextElement("text", MoodleXmlWriter::EscapeWildcard(accepted));
        WriteHtml(xml, "feedback", [](Utf8Text&, const EscapeTable&) {});
        xml.EndElement();
    }
    xml.EndElement();
}

} // namespace

ExportBytes MoodleXmlWriter::Write(const ExportSet& set)
{
    // Each print's category and questions made apart, inside the quiz
    // element, and written as they are between its tags.
    std::vector<XmlText> prints;
    prints.reserve(set.prints.size());
    for (const ExportPrint& print : set.prints)
        prints.push_back(XmlText::Fragment(2, 1, 4096 + print.items.size() * 1024)); // a question under 1 KB
    ParallelPrints::ForEach(set.prints.size(), [&](std::size_t p) {
        WriteCategory(prints[p], set, set.prints[p]);
        for (const ExportItem& item : set.prints[p].items)
            WriteQuestion(prints[p], set.prints[p], item);
    });
    XmlText xml(2, 256);
    xml.StartElement("quiz");
    for (XmlText& print : prints)
        xml.AppendElements(std::move(print));
    xml.EndElement();
    return xml.Pieces();
}

QString MoodleXmlWriter::EscapeWildcard(const QString& answer)
{
    if (!answer.contains(u'*'))
        return answer;
    QString escaped = answer;
    escaped.replace(QLatin1Char('*'), QLatin1String("\\*"));
    return escaped;
}

QString MoodleXmlWriter::CategoryName(const QString& name)
{
    QString escaped = name.simplified();
    escaped.replace(QLatin1Char('/'), QLatin1String("//"));
    return escaped;
}
