#include "platformexport/QtiPackageWriter.h"

#include "platformexport/AnswerNormalizer.h"
#include "platformexport/EscapeTable.h"
#include "platformexport/ExportSet.h"
#include "platformexport/ItemText.h"
#include "platformexport/MarkupRenderer.h"
#include "platformexport/ParallelPrints.h"
#include "platformexport/XmlText.h"
#include "platformexport/ZipArchive.h"

#include <algorithm>
#include <string>

namespace {

// The style sheet's path in the package, and from an item's folder.
constexpr const char StyleSheetPath[] = "style.css";
constexpr const char StyleSheetFromItem[] = "../style.css";
constexpr int MinExpectedLength = 10;

// A sub-question's identifier and the path of its file, made once: each is
// written several times (manifest, test, item, entry name).
struct ItemNames {
    std::string id;
    std::string path;
};

std::vector<std::vector<ItemNames>> AllItemNames(const ExportSet& set)
{
    std::vector<std::vector<ItemNames>> names;
    for (std::size_t p = 0; p < set.prints.size(); ++p) {
        std::vector<ItemNames>& printNames = names.emplace_back();
        for (const ExportItem& item : set.prints[p].items) {
            ItemNames& itemNames = printNames.emplace_back();
            itemNames.id = "item-" + std::to_string(p + 1) + '-' + std::to_string(item.position);
            itemNames.path = "items/" + itemNames.id + ".xml";
        }
    }
    return names;
}

std::string TestId(std::size_t print)
{
    return "test-" + std::to_string(print + 1);
}

std::string TestPath(std::size_t print)
{
    return "tests/" + TestId(print) + ".xml";
}

void StartRoot(XmlText& xml, std::string_view element, std::string_view identifier)
{
    xml.DefaultNamespace(QtiPackageWriter::ItemNamespace);
    xml.StartElement(element);
    xml.AttributeUtf8("identifier", identifier);
}

// Marked-up text as QTI's HTML: underlined runs as spans the style sheet
// underlines, subscripts, line breaks.
void WriteMarkup(XmlText& xml, const QString& markup)
{
    MarkupRenderer::ForEachRun(markup, [&](int kind, QStringView text) {
        switch (kind) {
        case Print::LineBreak: xml.EmptyElement("br"); break;
        case Print::UnderlinedText:
            xml.StartElement("span");
            xml.Attribute("class", "underline");
            xml.Characters(text);
            xml.EndElement();
            break;
        case Print::SubscriptText: xml.TextElement("sub", text); break;
        default: xml.Characters(text);
        }
    });
}

void WriteParagraph(XmlText& xml, const QString& markup)
{
    xml.StartElement("p");
    WriteMarkup(xml, markup);
    xml.EndElement();
}

void WriteScoreDeclaration(XmlText& xml)
{
    xml.StartElement("outcomeDeclaration");
    xml.Attribute("identifier", "SCORE");
    xml.Attribute("cardinality", "single");
    xml.Attribute("baseType", "float");
    xml.StartElement("defaultValue");
    xml.TextElement("value", "0");
    xml.EndElement();
    xml.EndElement();
}

void WriteResponseDeclaration(XmlText& xml, const QStringList& accepted)
{
    xml.StartElement("responseDeclaration");
    xml.Attribute("identifier", "RESPONSE");
    xml.Attribute("cardinality", "single");
    xml.Attribute("baseType", "string");
    if (!accepted.isEmpty()) {
        xml.StartElement("correctResponse");
        xml.TextElement("value", accepted.front());
        xml.EndElement();
        xml.StartElement("mapping");
        xml.Attribute("defaultValue", "0");
        xml.Attribute("lowerBound", "0");
        xml.Attribute("upperBound", "1");
        for (const QString& form : accepted) {
            xml.EmptyElement("mapEntry");
            xml.Attribute("mapKey", form);
            xml.Attribute("mappedValue", "1");
            xml.Attribute("caseSensitive", "false");
        }
        xml.EndElement();
    }
    xml.EndElement();
}

// `xml` is the buffer every item is written in, one after the other.
void AddItem(ZipArchive& zip, XmlText& xml, const ExportPrint& print, const ExportItem& item, const ItemNames& names)
{
    const QStringList accepted = AnswerNormalizer::Alternatives(item.answer);
    int expectedLength = MinExpectedLength;
    for (const QString& form : accepted)
        expectedLength = std::max(expectedLength, static_cast<int>(form.size()));

    xml.Restart();
    StartRoot(xml, "assessmentItem", names.id);
    xml.AttributeWrittenBy(
        "title", [&](Utf8Text& out, const EscapeTable& escapes) { ItemText::AppendName(out, print, item, escapes); });
    xml.Attribute("adaptive", "false");
    xml.Attribute("timeDependent", "false");
    xml.Attribute("xml:lang", "ja");
    WriteResponseDeclaration(xml, accepted);
    WriteScoreDeclaration(xml);
    xml.EmptyElement("stylesheet");
    xml.Attribute("href", StyleSheetFromItem);
    xml.Attribute("type", "text/css");
    xml.StartElement("itemBody");
    if (!item.instruction.isEmpty())
        WriteParagraph(xml, item.instruction);
    xml.StartElement("p");
    xml.StartElement("b");
    Utf8Text& number = xml.RawCharacters();
    number += '(';
    number.AppendNumber(item.number);
    number += ") ";
    xml.EndElement();
    WriteMarkup(xml, item.sentence);
    xml.EndElement();
    xml.StartElement("p");
    xml.EmptyElement("textEntryInteraction");
    xml.Attribute("responseIdentifier", "RESPONSE");
    xml.AttributeUtf8("expectedLength", std::to_string(expectedLength));
    xml.EndElement();
    xml.EndElement(); // itemBody
    xml.EmptyElement("responseProcessing");
    xml.Attribute("template", "http://www.imsglobal.org/question/qti_v2p1/rptemplates/map_response");
    xml.EndElement();
    zip.Add(names.path, xml.Finish());
}

void StartSection(XmlText& xml, int formatNumber, const QString& title)
{
    xml.StartElement("assessmentSection");
    xml.AttributeUtf8("identifier", "section-" + std::to_string(formatNumber));
    xml.Attribute("title", title);
    xml.Attribute("visible", "true");
}

// One section per question format, in print order, with its instruction.
void WriteTest(XmlText& xml, const ExportPrint& print, std::size_t index, const std::vector<ItemNames>& itemNames)
{
    xml.Restart();
    StartRoot(xml, "assessmentTest", TestId(index));
    xml.Attribute("title", print.name);
    WriteScoreDeclaration(xml);
    xml.StartElement("testPart");
    xml.Attribute("identifier", "part-1");
    xml.Attribute("navigationMode", "nonlinear");
    xml.Attribute("submissionMode", "simultaneous");
    int openFormat = 0;
    for (std::size_t i = 0; i < itemNames.size(); ++i) {
        const ExportItem& item = print.items[i];
        if (item.formatNumber != openFormat) {
            if (openFormat != 0)
                xml.EndElement();
            openFormat = item.formatNumber;
            StartSection(xml, item.formatNumber, item.formatTitle);
            if (!item.instruction.isEmpty()) {
                xml.StartElement("rubricBlock");
                xml.Attribute("view", "candidate");
                WriteParagraph(xml, item.instruction);
                xml.EndElement();
            }
        }
        xml.EmptyElement("assessmentItemRef");
        xml.AttributeUtf8("identifier", itemNames[i].id);
        xml.AttributeUtf8("href", "../" + itemNames[i].path);
    }
    if (openFormat == 0)
        StartSection(xml, 1, print.name);
    xml.EndElement(); // assessmentSection
    xml.EndElement(); // testPart
    xml.StartElement("outcomeProcessing");
    xml.StartElement("setOutcomeValue");
    xml.Attribute("identifier", "SCORE");
    xml.StartElement("sum");
    xml.EmptyElement("testVariables");
    xml.Attribute("variableIdentifier", "SCORE");
    xml.EndElement();
    xml.EndElement();
    xml.EndElement();
    xml.EndElement();
}

void WriteResource(XmlText& xml, std::string_view identifier, XmlFixed type, std::string_view path)
{
    xml.StartElement("resource");
    xml.AttributeUtf8("identifier", identifier);
    xml.Attribute("type", type);
    xml.AttributeUtf8("href", path);
    xml.EmptyElement("file");
    xml.AttributeUtf8("href", path);
}

// A print's test and items as resources of the manifest, each test
// depending on its items.
void WriteResources(XmlText& xml, std::size_t print, const std::vector<ItemNames>& itemNames)
{
    WriteResource(xml, TestId(print), "imsqti_test_xmlv2p1", TestPath(print));
    for (const ItemNames& names : itemNames) {
        xml.EmptyElement("dependency");
        xml.AttributeUtf8("identifierref", names.id);
    }
    xml.EndElement();
    for (const ItemNames& names : itemNames) {
        WriteResource(xml, names.id, "imsqti_item_xmlv2p1", names.path);
        xml.EmptyElement("file");
        xml.Attribute("href", StyleSheetPath);
        xml.EndElement();
    }
}

// The manifest, the prints' resources made apart (WriteResources in
// fragments inside manifest and resources).
QByteArray ManifestXml(std::vector<XmlText>& resources)
{
    XmlText xml(4);
    xml.DefaultNamespace(QtiPackageWriter::ManifestNamespace);
    xml.StartElement("manifest");
    xml.Attribute("identifier", "tavisko-export");
    xml.StartElement("metadata");
    xml.TextElement("schema", "QTIv2.1 Package");
    xml.TextElement("schemaversion", "1.0.0");
    xml.EndElement();
    xml.EmptyElement("organizations");
    xml.StartElement("resources");
    for (XmlText& print : resources)
        xml.AppendElements(std::move(print));
    xml.EndElement(); // resources
    xml.EndElement(); // manifest
    return xml.Bytes();
}

std::string_view View(const QByteArray& bytes)
{
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

} // namespace

ExportBytes QtiPackageWriter::Write(const ExportSet& set, QString* error)
{
    const std::vector<std::vector<ItemNames>> itemNames = AllItemNames(set);
    // Each print's test and items laid out apart, as a part of the package
    // of its own, then appended in order after the manifest and the style
    // sheet; the parts are written as they are.
    ZipArchive zip;
    std::vector<ZipArchive> prints;
    std::vector<XmlText> resources;
    prints.reserve(set.prints.size());
    resources.reserve(set.prints.size());
    for (const ExportPrint& print : set.prints) {
        prints.push_back(zip.Sibling());
        prints.back().Reserve(4096 + print.items.size() * 2048); // the usual size, an item under 2 KB
        resources.push_back(XmlText::Fragment(4, 2, 1024 + print.items.size() * 384));
    }
    ZipArchive::Crc({}); // the checksum's CPU features looked up here, once
    ParallelPrints::ForEach(set.prints.size(), [&](std::size_t p) {
        const ExportPrint& print = set.prints[p];
        WriteResources(resources[p], p, itemNames[p]);
        XmlText xml; // not indented: spaces would enter the texts
        WriteTest(xml, print, p, itemNames[p]);
        prints[p].Add(TestPath(p), xml.Finish());
        for (std::size_t i = 0; i < itemNames[p].size(); ++i)
            AddItem(prints[p], xml, print, print.items[i], itemNames[p][i]);
    });
    zip.Add("imsmanifest.xml", View(ManifestXml(resources)));
    zip.Add(StyleSheetPath, ".underline { text-decoration: underline; }\n");
    for (ZipArchive& files : prints)
        zip.Append(std::move(files));
    return zip.Pieces(error);
}
