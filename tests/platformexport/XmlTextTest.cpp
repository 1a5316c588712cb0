// Our XML text against Qt's stream writer: random documents written by
// both must come out byte for byte the same, indented and not, whatever
// the texts hold (markup characters, white space, characters XML does not
// allow, Japanese, characters outside the BMP).
#include "platformexport/XmlText.h"

#include <QRandomGenerator>
#include <QXmlStreamWriter>

#include <gtest/gtest.h>

namespace {

QString RandomText(QRandomGenerator& random)
{
    static const QString pieces[] = {QStringLiteral("a"), QStringLiteral("Word "), QStringLiteral("<"),
        QStringLiteral(">"), QStringLiteral("&"), QStringLiteral("\""), QStringLiteral("'"), QStringLiteral("\t"),
        QStringLiteral("\n"), QStringLiteral("\r"), QString(QChar(0x01)), QString(QChar(0xfffe)),
        QStringLiteral("達成する"), QStringLiteral("～"), QStringLiteral("é"), QStringLiteral("𠮷"),
        QStringLiteral("]]>"), QStringLiteral("*"), QString(QChar(0xffff))};
    QString text;
    const int count = random.bounded(6);
    for (int i = 0; i < count; ++i)
        text += pieces[random.bounded(static_cast<int>(std::size(pieces)))];
    return text;
}

// Writes the same random steps to both writers.
void WriteRandomDocument(QRandomGenerator& random, QXmlStreamWriter& qt, XmlText& ours)
{
    static const char* const names[] = {"quiz", "question", "text", "p", "br"};
    qt.writeStartDocument();
    if (random.bounded(2)) {
        qt.writeDefaultNamespace(QStringLiteral("http://example.jp/ns"));
        ours.DefaultNamespace("http://example.jp/ns");
    }
    qt.writeStartElement(QLatin1String(names[0]));
    ours.StartElement(names[0]);
    int depth = 1;
    bool inStartTag = true;
    for (int step = 0; step < 60; ++step) {
        const char* const name = names[random.bounded(static_cast<int>(std::size(names)))];
        const QString qtName = QLatin1String(name);
        const QString text = RandomText(random);
        // Texts of our own making go in as UTF-8 (without non-characters).
        const bool utf8 = !text.contains(QChar(0xfffe)) && !text.contains(QChar(0xffff)) && random.bounded(2);
        const std::string utf8Text = text.toStdString();
        switch (random.bounded(inStartTag ? 6 : 5)) {
        case 0: qt.writeStartElement(qtName), ours.StartElement(name), ++depth, inStartTag = true; break;
        case 1: qt.writeEmptyElement(qtName), ours.EmptyElement(name), inStartTag = true; break;
        case 2: qt.writeCharacters(text), ours.Characters(text), inStartTag = false; break;
        case 3: qt.writeTextElement(qtName, text), ours.TextElement(name, text), inStartTag = false; break;
        case 4:
            if (depth > 1) {
                qt.writeEndElement(), ours.EndElement(), --depth;
                inStartTag = false;
            }
            break;
        case 5:
            qt.writeAttribute(qtName, text);
            utf8 ? ours.AttributeUtf8(name, utf8Text) : ours.Attribute(name, text);
            break;
        }
    }
    qt.writeEndDocument();
}

TEST(XmlText, WritesWhatQtsStreamWriterWrites)
{
    for (const int indent : {0, 2, 4}) {
        for (quint32 seed = 1; seed <= 200; ++seed) {
            SCOPED_TRACE(testing::Message() << "indent " << indent << ", seed " << seed);
            QRandomGenerator random(seed);
            QByteArray expected;
            QXmlStreamWriter qt(&expected);
            qt.setAutoFormatting(indent > 0);
            qt.setAutoFormattingIndent(indent);
            XmlText ours(indent);
            WriteRandomDocument(random, qt, ours);
            const QByteArray written = ours.Bytes();
            ASSERT_EQ(written.toStdString(), expected.toStdString());
        }
    }
}

// Complete elements written the same way into two writers.
void WriteRandomElements(QRandomGenerator& random, XmlText& a, XmlText& b)
{
    const auto both = [&](const auto& step) { step(a), step(b); };
    const int count = 1 + random.bounded(3);
    for (int e = 0; e < count; ++e) {
        both([](XmlText& xml) { xml.StartElement("question"); });
        if (random.bounded(2)) {
            const QString value = RandomText(random);
            both([&](XmlText& xml) { xml.Attribute("type", value); });
        }
        for (int step = random.bounded(4); step > 0; --step) {
            const QString text = RandomText(random);
            switch (random.bounded(3)) {
            case 0: both([&](XmlText& xml) { xml.TextElement("text", text); }); break;
            case 1: both([](XmlText& xml) { xml.EmptyElement("br"); }); break;
            default: both([&](XmlText& xml) { xml.StartElement("p"), xml.Characters(text), xml.EndElement(); });
            }
        }
        both([](XmlText& xml) { xml.EndElement(); });
    }
}

// A document joined from fragments made apart (as the exports make each
// print's part on a core of its own) is the one written in one go.
TEST(XmlText, FragmentsJoinIntoTheSameDocument)
{
    for (const int indent : {0, 2}) {
        for (quint32 seed = 1; seed <= 100; ++seed) {
            SCOPED_TRACE(testing::Message() << "indent " << indent << ", seed " << seed);
            QRandomGenerator random(seed);
            XmlText whole(indent);
            XmlText joined(indent);
            whole.StartElement("quiz");
            joined.StartElement("quiz");
            for (int f = random.bounded(4); f > 0; --f) {
                XmlText fragment = XmlText::Fragment(indent, 1);
                WriteRandomElements(random, whole, fragment);
                joined.AppendElements(std::move(fragment));
            }
            ASSERT_EQ(joined.Bytes().toStdString(), whole.Bytes().toStdString());
        }
    }
}

} // namespace
