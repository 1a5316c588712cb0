#include "platformexport/MoodleXmlWriter.h"

#include "platformexport/AnswerNormalizer.h"
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
    WriteText(xml, QStringLiteral("questiontext"), ItemText::QuestionHtml(item), html);
    WriteText(xml, QStringLiteral("generalfeedback"), ItemText::AnswerHtml(item), html);
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
