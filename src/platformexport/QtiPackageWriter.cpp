#include "platformexport/QtiPackageWriter.h"

#include "platformexport/AnswerNormalizer.h"
#include "platformexport/ExportSet.h"
#include "platformexport/ItemText.h"
#include "platformexport/MarkupRenderer.h"
#include "platformexport/ZipArchive.h"

#include "platformexport/XmlText.h"

#include <algorithm>

namespace {

const QString StyleSheetPath = QStringLiteral("style.css");
constexpr int MinExpectedLength = 10;

QString ItemId(int print, const ExportItem& item)
{
    return QStringLiteral("item-") + QString::number(print + 1) + u'-' + QString::number(item.position);
}

QString ItemPath(const QString& itemId)
{
    return QStringLiteral("items/") + itemId + QStringLiteral(".xml");
}

// The items' identifiers per print, made once: each is written several
// times (manifest, test, item, entry name).
std::vector<QStringList> ItemIds(const ExportSet& set)
{
    std::vector<QStringList> ids;
    for (int p = 0; p < static_cast<int>(set.prints.size()); ++p) {
        QStringList& printIds = ids.emplace_back();
        for (const ExportItem& item : set.prints[static_cast<size_t>(p)].items)
            printIds.append(ItemId(p, item));
    }
    return ids;
}

QString TestId(int print)
{
    return QStringLiteral("test-%1").arg(print + 1);
}

QString TestPath(int print)
{
    return QStringLiteral("tests/") + TestId(print) + QStringLiteral(".xml");
}

void StartRoot(XmlText& xml, const QString& element, const QString& identifier, const QString& title)
{
    xml.DefaultNamespace(QString::fromLatin1(QtiPackageWriter::ItemNamespace));
    xml.StartElement(element);
    xml.Attribute(QStringLiteral("identifier"), identifier);
    xml.Attribute(QStringLiteral("title"), title);
}

// Marked-up text as QTI's HTML: underlined runs as spans the style sheet
// underlines, subscripts, line breaks.
void WriteMarkup(XmlText& xml, const QString& markup)
{
    for (const Print::Cmd& run : MarkupRenderer::Runs(markup)) {
        switch (run.kind) {
        case Print::LineBreak: xml.EmptyElement(QStringLiteral("br")); break;
        case Print::UnderlinedText:
            xml.StartElement(QStringLiteral("span"));
            xml.Attribute(QStringLiteral("class"), QStringLiteral("underline"));
            xml.Characters(run.text);
            xml.EndElement();
            break;
        case Print::SubscriptText: xml.TextElement(QStringLiteral("sub"), run.text); break;
        default: xml.Characters(run.text);
        }
    }
}

void WriteParagraph(XmlText& xml, const QString& markup)
{
    xml.StartElement(QStringLiteral("p"));
    WriteMarkup(xml, markup);
    xml.EndElement();
}

void WriteScoreDeclaration(XmlText& xml)
{
    xml.StartElement(QStringLiteral("outcomeDeclaration"));
    xml.Attribute(QStringLiteral("identifier"), QStringLiteral("SCORE"));
    xml.Attribute(QStringLiteral("cardinality"), QStringLiteral("single"));
    xml.Attribute(QStringLiteral("baseType"), QStringLiteral("float"));
    xml.StartElement(QStringLiteral("defaultValue"));
    xml.TextElement(QStringLiteral("value"), QStringLiteral("0"));
    xml.EndElement();
    xml.EndElement();
}

void WriteResponseDeclaration(XmlText& xml, const QStringList& accepted)
{
    xml.StartElement(QStringLiteral("responseDeclaration"));
    xml.Attribute(QStringLiteral("identifier"), QStringLiteral("RESPONSE"));
    xml.Attribute(QStringLiteral("cardinality"), QStringLiteral("single"));
    xml.Attribute(QStringLiteral("baseType"), QStringLiteral("string"));
    if (!accepted.isEmpty()) {
        xml.StartElement(QStringLiteral("correctResponse"));
        xml.TextElement(QStringLiteral("value"), accepted.front());
        xml.EndElement();
        xml.StartElement(QStringLiteral("mapping"));
        xml.Attribute(QStringLiteral("defaultValue"), QStringLiteral("0"));
        xml.Attribute(QStringLiteral("lowerBound"), QStringLiteral("0"));
        xml.Attribute(QStringLiteral("upperBound"), QStringLiteral("1"));
        for (const QString& form : accepted) {
            xml.EmptyElement(QStringLiteral("mapEntry"));
            xml.Attribute(QStringLiteral("mapKey"), form);
            xml.Attribute(QStringLiteral("mappedValue"), QStringLiteral("1"));
            xml.Attribute(QStringLiteral("caseSensitive"), QStringLiteral("false"));
        }
        xml.EndElement();
    }
    xml.EndElement();
}

QByteArray ItemXml(const ExportPrint& print, const ExportItem& item, const QString& id)
{
    const QStringList accepted = AnswerNormalizer::Alternatives(item.answer);
    int expectedLength = MinExpectedLength;
    for (const QString& form : accepted)
        expectedLength = std::max(expectedLength, static_cast<int>(form.size()));

    XmlText xml; // not indented: spaces would enter the texts
    StartRoot(xml, QStringLiteral("assessmentItem"), id, ItemText::Name(print, item));
    xml.Attribute(QStringLiteral("adaptive"), QStringLiteral("false"));
    xml.Attribute(QStringLiteral("timeDependent"), QStringLiteral("false"));
    xml.Attribute(QStringLiteral("xml:lang"), QStringLiteral("ja"));
    WriteResponseDeclaration(xml, accepted);
    WriteScoreDeclaration(xml);
    xml.EmptyElement(QStringLiteral("stylesheet"));
    xml.Attribute(QStringLiteral("href"), QStringLiteral("../") + StyleSheetPath);
    xml.Attribute(QStringLiteral("type"), QStringLiteral("text/css"));
    xml.StartElement(QStringLiteral("itemBody"));
    if (!item.instruction.isEmpty())
        WriteParagraph(xml, item.instruction);
    xml.StartElement(QStringLiteral("p"));
    xml.TextElement(QStringLiteral("b"), QStringLiteral("(%1) ").arg(item.number));
    WriteMarkup(xml, item.sentence);
    xml.EndElement();
    xml.StartElement(QStringLiteral("p"));
    xml.EmptyElement(QStringLiteral("textEntryInteraction"));
    xml.Attribute(QStringLiteral("responseIdentifier"), QStringLiteral("RESPONSE"));
    xml.Attribute(QStringLiteral("expectedLength"), QString::number(expectedLength));
    xml.EndElement();
    xml.EndElement(); // itemBody
    xml.EmptyElement(QStringLiteral("responseProcessing"));
    xml.Attribute(QStringLiteral("template"),
        QStringLiteral("http://www.imsglobal.org/question/qti_v2p1/rptemplates/map_response"));
    xml.EndElement();
    return xml.Bytes();
}

// One section per question format, in print order, with its instruction.
QByteArray TestXml(const ExportPrint& print, int index, const QStringList& itemIds)
{
    XmlText xml;
    StartRoot(xml, QStringLiteral("assessmentTest"), TestId(index), print.name);
    WriteScoreDeclaration(xml);
    xml.StartElement(QStringLiteral("testPart"));
    xml.Attribute(QStringLiteral("identifier"), QStringLiteral("part-1"));
    xml.Attribute(QStringLiteral("navigationMode"), QStringLiteral("nonlinear"));
    xml.Attribute(QStringLiteral("submissionMode"), QStringLiteral("simultaneous"));
    int openFormat = 0;
    for (qsizetype i = 0; i < itemIds.size(); ++i) {
        const ExportItem& item = print.items[static_cast<size_t>(i)];
        if (item.formatNumber != openFormat) {
            if (openFormat != 0)
                xml.EndElement();
            openFormat = item.formatNumber;
            xml.StartElement(QStringLiteral("assessmentSection"));
            xml.Attribute(QStringLiteral("identifier"), QStringLiteral("section-%1").arg(item.formatNumber));
            xml.Attribute(QStringLiteral("title"), item.formatTitle);
            xml.Attribute(QStringLiteral("visible"), QStringLiteral("true"));
            if (!item.instruction.isEmpty()) {
                xml.StartElement(QStringLiteral("rubricBlock"));
                xml.Attribute(QStringLiteral("view"), QStringLiteral("candidate"));
                WriteParagraph(xml, item.instruction);
                xml.EndElement();
            }
        }
        xml.EmptyElement(QStringLiteral("assessmentItemRef"));
        xml.Attribute(QStringLiteral("identifier"), itemIds[i]);
        xml.Attribute(QStringLiteral("href"), QStringLiteral("../") + ItemPath(itemIds[i]));
    }
    if (openFormat == 0) {
        xml.StartElement(QStringLiteral("assessmentSection"));
        xml.Attribute(QStringLiteral("identifier"), QStringLiteral("section-1"));
        xml.Attribute(QStringLiteral("title"), print.name);
        xml.Attribute(QStringLiteral("visible"), QStringLiteral("true"));
    }
    xml.EndElement(); // assessmentSection
    xml.EndElement(); // testPart
    xml.StartElement(QStringLiteral("outcomeProcessing"));
    xml.StartElement(QStringLiteral("setOutcomeValue"));
    xml.Attribute(QStringLiteral("identifier"), QStringLiteral("SCORE"));
    xml.StartElement(QStringLiteral("sum"));
    xml.EmptyElement(QStringLiteral("testVariables"));
    xml.Attribute(QStringLiteral("variableIdentifier"), QStringLiteral("SCORE"));
    xml.EndElement();
    xml.EndElement();
    xml.EndElement();
    xml.EndElement();
    return xml.Bytes();
}

void WriteResource(XmlText& xml, const QString& identifier, const QString& type, const QString& path)
{
    xml.StartElement(QStringLiteral("resource"));
    xml.Attribute(QStringLiteral("identifier"), identifier);
    xml.Attribute(QStringLiteral("type"), type);
    xml.Attribute(QStringLiteral("href"), path);
    xml.EmptyElement(QStringLiteral("file"));
    xml.Attribute(QStringLiteral("href"), path);
}

QByteArray ManifestXml(const ExportSet& set, const std::vector<QStringList>& itemIds)
{
    XmlText xml(4);
    xml.DefaultNamespace(QString::fromLatin1(QtiPackageWriter::ManifestNamespace));
    xml.StartElement(QStringLiteral("manifest"));
    xml.Attribute(QStringLiteral("identifier"), QStringLiteral("tavisko-export"));
    xml.StartElement(QStringLiteral("metadata"));
    xml.TextElement(QStringLiteral("schema"), QStringLiteral("QTIv2.1 Package"));
    xml.TextElement(QStringLiteral("schemaversion"), QStringLiteral("1.0.0"));
    xml.EndElement();
    xml.EmptyElement(QStringLiteral("organizations"));
    xml.StartElement(QStringLiteral("resources"));
    for (int p = 0; p < static_cast<int>(set.prints.size()); ++p) {
        const QStringList& ids = itemIds[static_cast<size_t>(p)];
        WriteResource(xml, TestId(p), QStringLiteral("imsqti_test_xmlv2p1"), TestPath(p));
        for (const QString& id : ids) {
            xml.EmptyElement(QStringLiteral("dependency"));
            xml.Attribute(QStringLiteral("identifierref"), id);
        }
        xml.EndElement();
        for (const QString& id : ids) {
            WriteResource(xml, id, QStringLiteral("imsqti_item_xmlv2p1"), ItemPath(id));
            xml.EmptyElement(QStringLiteral("file"));
            xml.Attribute(QStringLiteral("href"), StyleSheetPath);
            xml.EndElement();
        }
    }
    xml.EndElement(); // resources
    xml.EndElement(); // manifest
    return xml.Bytes();
}

} // namespace

QByteArray QtiPackageWriter::Write(const ExportSet& set, QString* error)
{
    const std::vector<QStringList> itemIds = ItemIds(set);
    ZipArchive zip;
    zip.Add(QStringLiteral("imsmanifest.xml"), ManifestXml(set, itemIds));
    zip.Add(StyleSheetPath, QByteArrayLiteral(".underline { text-decoration: underline; }\n"));
    for (int p = 0; p < static_cast<int>(set.prints.size()); ++p) {
        const ExportPrint& print = set.prints[static_cast<size_t>(p)];
        const QStringList& ids = itemIds[static_cast<size_t>(p)];
        zip.Add(TestPath(p), TestXml(print, p, ids));
        for (qsizetype i = 0; i < ids.size(); ++i)
            zip.Add(ItemPath(ids[i]), ItemXml(print, print.items[static_cast<size_t>(i)], ids[i]));
    }
    return zip.Bytes(error);
}
