#include "platformexport/QtiPackageWriter.h"

#include "platformexport/AnswerNormalizer.h"
#include "platformexport/ExportSet.h"
#include "platformexport/ItemText.h"
#include "platformexport/MarkupRenderer.h"
#include "platformexport/ZipArchive.h"

#include <QXmlStreamWriter>

#include <algorithm>

namespace {

const QString StyleSheetPath = QStringLiteral("style.css");
constexpr int MinExpectedLength = 10;

QString ItemId(int print, const ExportItem& item)
{
    return QStringLiteral("item-%1-%2").arg(print + 1).arg(item.position);
}

QString ItemPath(int print, const ExportItem& item)
{
    return QStringLiteral("items/") + ItemId(print, item) + QStringLiteral(".xml");
}

QString TestId(int print)
{
    return QStringLiteral("test-%1").arg(print + 1);
}

QString TestPath(int print)
{
    return QStringLiteral("tests/") + TestId(print) + QStringLiteral(".xml");
}

void StartRoot(QXmlStreamWriter& xml, const QString& element, const QString& identifier, const QString& title)
{
    xml.writeStartDocument();
    xml.writeDefaultNamespace(QString::fromLatin1(QtiPackageWriter::ItemNamespace));
    xml.writeStartElement(element);
    xml.writeAttribute(QStringLiteral("identifier"), identifier);
    xml.writeAttribute(QStringLiteral("title"), title);
}

// Marked-up text as QTI's HTML: underlined runs as spans the style sheet
// underlines, subscripts, line breaks.
void WriteMarkup(QXmlStreamWriter& xml, const QString& markup)
{
    for (const Print::Cmd& run : MarkupRenderer::Runs(markup)) {
        switch (run.kind) {
        case Print::LineBreak: xml.writeEmptyElement(QStringLiteral("br")); break;
        case Print::UnderlinedText:
            xml.writeStartElement(QStringLiteral("span"));
            xml.writeAttribute(QStringLiteral("class"), QStringLiteral("underline"));
            xml.writeCharacters(run.text);
            xml.writeEndElement();
            break;
        case Print::SubscriptText: xml.writeTextElement(QStringLiteral("sub"), run.text); break;
        default: xml.writeCharacters(run.text);
        }
    }
}

void WriteParagraph(QXmlStreamWriter& xml, const QString& markup)
{
    xml.writeStartElement(QStringLiteral("p"));
    WriteMarkup(xml, markup);
    xml.writeEndElement();
}

void WriteScoreDeclaration(QXmlStreamWriter& xml)
{
    xml.writeStartElement(QStringLiteral("outcomeDeclaration"));
    xml.writeAttribute(QStringLiteral("identifier"), QStringLiteral("SCORE"));
    xml.writeAttribute(QStringLiteral("cardinality"), QStringLiteral("single"));
    xml.writeAttribute(QStringLiteral("baseType"), QStringLiteral("float"));
    xml.writeStartElement(QStringLiteral("defaultValue"));
    xml.writeTextElement(QStringLiteral("value"), QStringLiteral("0"));
    xml.writeEndElement();
    xml.writeEndElement();
}

void WriteResponseDeclaration(QXmlStreamWriter& xml, const QStringList& accepted)
{
    xml.writeStartElement(QStringLiteral("responseDeclaration"));
    xml.writeAttribute(QStringLiteral("identifier"), QStringLiteral("RESPONSE"));
    xml.writeAttribute(QStringLiteral("cardinality"), QStringLiteral("single"));
    xml.writeAttribute(QStringLiteral("baseType"), QStringLiteral("string"));
    if (!accepted.isEmpty()) {
        xml.writeStartElement(QStringLiteral("correctResponse"));
        xml.writeTextElement(QStringLiteral("value"), accepted.front());
        xml.writeEndElement();
        xml.writeStartElement(QStringLiteral("mapping"));
        xml.writeAttribute(QStringLiteral("defaultValue"), QStringLiteral("0"));
        xml.writeAttribute(QStringLiteral("lowerBound"), QStringLiteral("0"));
        xml.writeAttribute(QStringLiteral("upperBound"), QStringLiteral("1"));
        for (const QString& form : accepted) {
            xml.writeEmptyElement(QStringLiteral("mapEntry"));
            xml.writeAttribute(QStringLiteral("mapKey"), form);
            xml.writeAttribute(QStringLiteral("mappedValue"), QStringLiteral("1"));
            xml.writeAttribute(QStringLiteral("caseSensitive"), QStringLiteral("false"));
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

QByteArray ItemXml(const ExportPrint& print, int index, const ExportItem& item)
{
    const QStringList accepted = AnswerNormalizer::Alternatives(item.answer);
    int expectedLength = MinExpectedLength;
    for (const QString& form : accepted)
        expectedLength = std::max(expectedLength, static_cast<int>(form.size()));

    QByteArray bytes;
    QXmlStreamWriter xml(&bytes); // not indented: spaces would enter the texts
    StartRoot(xml, QStringLiteral("assessmentItem"), ItemId(index, item), ItemText::Name(print, item));
    xml.writeAttribute(QStringLiteral("adaptive"), QStringLiteral("false"));
    xml.writeAttribute(QStringLiteral("timeDependent"), QStringLiteral("false"));
    xml.writeAttribute(QStringLiteral("xml:lang"), QStringLiteral("ja"));
    WriteResponseDeclaration(xml, accepted);
    WriteScoreDeclaration(xml);
    xml.writeEmptyElement(QStringLiteral("stylesheet"));
    xml.writeAttribute(QStringLiteral("href"), QStringLiteral("../") + StyleSheetPath);
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("text/css"));
    xml.writeStartElement(QStringLiteral("itemBody"));
    if (!item.instruction.isEmpty())
        WriteParagraph(xml, item.instruction);
    xml.writeStartElement(QStringLiteral("p"));
    xml.writeTextElement(QStringLiteral("b"), QStringLiteral("(%1) ").arg(item.number));
    WriteMarkup(xml, item.sentence);
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("p"));
    xml.writeEmptyElement(QStringLiteral("textEntryInteraction"));
    xml.writeAttribute(QStringLiteral("responseIdentifier"), QStringLiteral("RESPONSE"));
    xml.writeAttribute(QStringLiteral("expectedLength"), QString::number(expectedLength));
    xml.writeEndElement();
    xml.writeEndElement(); // itemBody
    xml.writeEmptyElement(QStringLiteral("responseProcessing"));
    xml.writeAttribute(QStringLiteral("template"),
        QStringLiteral("http://www.imsglobal.org/question/qti_v2p1/rptemplates/map_response"));
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

// One section per question format, in print order, with its instruction.
QByteArray TestXml(const ExportPrint& print, int index)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    StartRoot(xml, QStringLiteral("assessmentTest"), TestId(index), print.name);
    WriteScoreDeclaration(xml);
    xml.writeStartElement(QStringLiteral("testPart"));
    xml.writeAttribute(QStringLiteral("identifier"), QStringLiteral("part-1"));
    xml.writeAttribute(QStringLiteral("navigationMode"), QStringLiteral("nonlinear"));
    xml.writeAttribute(QStringLiteral("submissionMode"), QStringLiteral("simultaneous"));
    int openFormat = 0;
    for (const ExportItem& item : print.items) {
        if (item.formatNumber != openFormat) {
            if (openFormat != 0)
                xml.writeEndElement();
            openFormat = item.formatNumber;
            xml.writeStartElement(QStringLiteral("assessmentSection"));
            xml.writeAttribute(QStringLiteral("identifier"), QStringLiteral("section-%1").arg(item.formatNumber));
            xml.writeAttribute(QStringLiteral("title"), item.formatTitle);
            xml.writeAttribute(QStringLiteral("visible"), QStringLiteral("true"));
            if (!item.instruction.isEmpty()) {
                xml.writeStartElement(QStringLiteral("rubricBlock"));
                xml.writeAttribute(QStringLiteral("view"), QStringLiteral("candidate"));
                WriteParagraph(xml, item.instruction);
                xml.writeEndElement();
            }
        }
        xml.writeEmptyElement(QStringLiteral("assessmentItemRef"));
        xml.writeAttribute(QStringLiteral("identifier"), ItemId(index, item));
        xml.writeAttribute(QStringLiteral("href"), QStringLiteral("../") + ItemPath(index, item));
    }
    if (openFormat == 0) {
        xml.writeStartElement(QStringLiteral("assessmentSection"));
        xml.writeAttribute(QStringLiteral("identifier"), QStringLiteral("section-1"));
        xml.writeAttribute(QStringLiteral("title"), print.name);
        xml.writeAttribute(QStringLiteral("visible"), QStringLiteral("true"));
    }
    xml.writeEndElement(); // assessmentSection
    xml.writeEndElement(); // testPart
    xml.writeStartElement(QStringLiteral("outcomeProcessing"));
    xml.writeStartElement(QStringLiteral("setOutcomeValue"));
    xml.writeAttribute(QStringLiteral("identifier"), QStringLiteral("SCORE"));
    xml.writeStartElement(QStringLiteral("sum"));
    xml.writeEmptyElement(QStringLiteral("testVariables"));
    xml.writeAttribute(QStringLiteral("variableIdentifier"), QStringLiteral("SCORE"));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

void WriteResource(QXmlStreamWriter& xml, const QString& identifier, const QString& type, const QString& path)
{
    xml.writeStartElement(QStringLiteral("resource"));
    xml.writeAttribute(QStringLiteral("identifier"), identifier);
    xml.writeAttribute(QStringLiteral("type"), type);
    xml.writeAttribute(QStringLiteral("href"), path);
    xml.writeEmptyElement(QStringLiteral("file"));
    xml.writeAttribute(QStringLiteral("href"), path);
}

QByteArray ManifestXml(const ExportSet& set)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(QString::fromLatin1(QtiPackageWriter::ManifestNamespace));
    xml.writeStartElement(QStringLiteral("manifest"));
    xml.writeAttribute(QStringLiteral("identifier"), QStringLiteral("tavisko-export"));
    xml.writeStartElement(QStringLiteral("metadata"));
    xml.writeTextElement(QStringLiteral("schema"), QStringLiteral("QTIv2.1 Package"));
    xml.writeTextElement(QStringLiteral("schemaversion"), QStringLiteral("1.0.0"));
    xml.writeEndElement();
    xml.writeEmptyElement(QStringLiteral("organizations"));
    xml.writeStartElement(QStringLiteral("resources"));
    for (int p = 0; p < static_cast<int>(set.prints.size()); ++p) {
        const ExportPrint& print = set.prints[static_cast<size_t>(p)];
        WriteResource(xml, TestId(p), QStringLiteral("imsqti_test_xmlv2p1"), TestPath(p));
        for (const ExportItem& item : print.items) {
            xml.writeEmptyElement(QStringLiteral("dependency"));
            xml.writeAttribute(QStringLiteral("identifierref"), ItemId(p, item));
        }
        xml.writeEndElement();
        for (const ExportItem& item : print.items) {
            WriteResource(xml, ItemId(p, item), QStringLiteral("imsqti_item_xmlv2p1"), ItemPath(p, item));
            xml.writeEmptyElement(QStringLiteral("file"));
            xml.writeAttribute(QStringLiteral("href"), StyleSheetPath);
            xml.writeEndElement();
        }
    }
    xml.writeEndElement(); // resources
    xml.writeEndElement(); // manifest
    xml.writeEndDocument();
    return bytes;
}

} // namespace

QByteArray QtiPackageWriter::Write(const ExportSet& set, QString* error)
{
    ZipArchive zip;
    zip.Add(QStringLiteral("imsmanifest.xml"), ManifestXml(set));
    zip.Add(StyleSheetPath, QByteArrayLiteral(".underline { text-decoration: underline; }\n"));
    for (int p = 0; p < static_cast<int>(set.prints.size()); ++p) {
        const ExportPrint& print = set.prints[static_cast<size_t>(p)];
        zip.Add(TestPath(p), TestXml(print, p));
        for (const ExportItem& item : print.items)
            zip.Add(ItemPath(p, item), ItemXml(print, p, item));
    }
    return zip.Bytes(error);
}
