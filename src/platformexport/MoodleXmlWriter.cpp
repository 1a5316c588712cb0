#include "platformexport/MoodleXmlWriter.h"

#include "platformexport/AnswerNormalizer.h"
#include "platformexport/ExportSet.h"
#include "platformexport/ItemText.h"

#include <QXmlStreamWriter>

namespace {

void WriteText(QXmlStreamWriter& xml, const QString& element, const QString& text, const QString& format = {})
{
    xml.writeStartElement(element);
    if (!format.isEmpty())
        xml.writeAttribute(QStringLiteral("format"), format);
    xml.writeTextElement(QStringLiteral("text"), text);
    xml.writeEndElement();
}

void WriteCategory(QXmlStreamWriter& xml, const ExportSet& set, const ExportPrint& print)
{
    xml.writeStartElement(QStringLiteral("question"));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("category"));
    WriteText(xml, QStringLiteral("category"),
        QStringLiteral("$course$/") + MoodleXmlWriter::CategoryName(set.bookTitle) + QLatin1Char('/')
            + MoodleXmlWriter::CategoryName(print.name));
    xml.writeEndElement();
}

void WriteQuestion(QXmlStreamWriter& xml, const ExportPrint& print, const ExportItem& item)
{
    const QString html = QStringLiteral("html");
    xml.writeStartElement(QStringLiteral("question"));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("shortanswer"));
    WriteText(xml, QStringLiteral("name"), ItemText::Name(print, item));
    WriteText(xml, QStringLiteral("questiontext"), ItemText::QuestionHtml(item), html);
    WriteText(xml, QStringLiteral("generalfeedback"), ItemText::AnswerHtml(item), html);
    xml.writeTextElement(QStringLiteral("defaultgrade"), QStringLiteral("1"));
    xml.writeTextElement(QStringLiteral("penalty"), QStringLiteral("0"));
    xml.writeTextElement(QStringLiteral("hidden"), QStringLiteral("0"));
    xml.writeTextElement(QStringLiteral("usecase"), QStringLiteral("0"));
    for (const QString& accepted : AnswerNormalizer::Alternatives(item.answer)) {
        xml.writeStartElement(QStringLiteral("answer"));
        xml.writeAttribute(QStringLiteral("fraction"), QStringLiteral("100"));
        xml.writeAttribute(QStringLiteral("format"), QStringLiteral("moodle_auto_format"));
        xml.writeTextElement(QStringLiteral("text"), MoodleXmlWriter::EscapeWildcard(accepted));
        WriteText(xml, QStringLiteral("feedback"), QString(), html);
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

} // namespace

QByteArray MoodleXmlWriter::Write(const ExportSet& set)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("quiz"));
    for (const ExportPrint& print : set.prints) {
        WriteCategory(xml, set, print);
        for (const ExportItem& item : print.items)
            WriteQuestion(xml, print, item);
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
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
