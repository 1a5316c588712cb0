#include "platformexport/MoodleXmlWriter.h"

#include "platformexport/AnswerNormalizer.h"
#include "platformexport/EscapeTable.h"
#include "platformexport/ExportSet.h"
#include "platformexport/ItemText.h"

#include "platformexport/XmlText.h"

namespace {

void WriteText(XmlText& xml, const QString& element, const QString& text, const QString& format = {})
{
    xml.StartElement(element);
    if (!format.isEmpty())
        xml.Attribute(QStringLiteral("format"), format);
    xml.TextElement(QStringLiteral("text"), text);
    xml.EndElement();
}

// An element holding one "text" element of HTML, written by `html`.
template <typename HtmlWriter>
void WriteHtml(XmlText& xml, const QString& element, HtmlWriter html)
{
    xml.StartElement(element);
    xml.Attribute(QStringLiteral("format"), QStringLiteral("html"));
    xml.StartElement(QStringLiteral("text"));
    html(xml.RawCharacters(), EscapeTable::XmlText());
    xml.EndElement();
    xml.EndElement();
}

void WriteCategory(XmlText& xml, const ExportSet& set, const ExportPrint& print)
{
    xml.StartElement(QStringLiteral("question"));
    xml.Attribute(QStringLiteral("type"), QStringLiteral("category"));
    WriteText(xml, QStringLiteral("category"),
        QStringLiteral("$course$/") + MoodleXmlWriter::CategoryName(set.bookTitle) + QLatin1Char('/')
            + MoodleXmlWriter::CategoryName(print.name));
    xml.EndElement();
}

void WriteQuestion(XmlText& xml, const ExportPrint& print, const ExportItem& item)
{
    const QString html = QStringLiteral("html");
    xml.StartElement(QStringLiteral("question"));
    xml.Attribute(QStringLiteral("type"), QStringLiteral("shortanswer"));
    WriteText(xml, QStringLiteral("name"), ItemText::Name(print, item));
    WriteHtml(xml, QStringLiteral("questiontext"),
        [&](Utf8Text& out, const EscapeTable& document) { ItemText::AppendQuestionHtml(out, item, document); });
    WriteHtml(xml, QStringLiteral("generalfeedback"),
        [&](Utf8Text& out, const EscapeTable& document) { ItemText::AppendAnswerHtml(out, item, document); });
    xml.TextElement(QStringLiteral("defaultgrade"), QStringLiteral("1"));
    xml.TextElement(QStringLiteral("penalty"), QStringLiteral("0"));
    xml.TextElement(QStringLiteral("hidden"), QStringLiteral("0"));
    xml.TextElement(QStringLiteral("usecase"), QStringLiteral("0"));
    for (const QString& accepted : AnswerNormalizer::Alternatives(item.answer)) {
        xml.StartElement(QStringLiteral("answer"));
        xml.Attribute(QStringLiteral("fraction"), QStringLiteral("100"));
        xml.Attribute(QStringLiteral("format"), QStringLiteral("moodle_auto_format"));
        xml.TextElement(QStringLiteral("text"), MoodleXmlWriter::EscapeWildcard(accepted));
        WriteText(xml, QStringLiteral("feedback"), QString(), html);
        xml.EndElement();
    }
    xml.EndElement();
}

} // namespace

QByteArray MoodleXmlWriter::Write(const ExportSet& set)
{
    XmlText xml(2);
    xml.StartElement(QStringLiteral("quiz"));
    for (const ExportPrint& print : set.prints) {
        WriteCategory(xml, set, print);
        for (const ExportItem& item : print.items)
            WriteQuestion(xml, print, item);
    }
    xml.EndElement();
    return xml.Bytes();
}

QString MoodleXmlWriter::EscapeWildcard(const QString& answer)
{
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
