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

} // namespace
