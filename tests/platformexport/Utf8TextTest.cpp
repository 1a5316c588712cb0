// The one-pass UTF-8 writer against the plain way of doing the same: every
// replacement made on the UTF-16 text a character at a time, then the
// whole encoded by Qt (QString::toUtf8, or Qt's JSON writer for JSON).
// Random texts mix ASCII, every character some format replaces, Japanese,
// pairs and halves of surrogate pairs and non-characters.
#include "platformexport/EscapeTable.h"
#include "platformexport/GiftWriter.h"
#include "platformexport/MarkupRenderer.h"
#include "platformexport/Utf8Text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <functional>

namespace {

QString RandomText(QRandomGenerator& random)
{
    static const QString pieces[] = {QStringLiteral("a"), QStringLiteral("Word "), QStringLiteral("&<>\"'"),
        QStringLiteral("~=#{}:\\"), QStringLiteral("\t\n\r"), QString(QChar(0x01)), QString(QChar(0x7f)),
        QStringLiteral("達成する"), QStringLiteral("～"), QStringLiteral("é"), QStringLiteral("𠮷"),
        QString(QChar(0xd842)), QString(QChar(0xdfb7)), QString(QChar(0xfffe)), QStringLiteral("\u2028")};
    QString text;
    const int count = random.bounded(8);
    for (int i = 0; i < count; ++i)
        text += pieces[random.bounded(static_cast<int>(std::size(pieces)))];
    return text;
}

std::string Written(const QString& text, const EscapeTable& escapes)
{
    Utf8Text out;
    out += "[";
    out.Append(text, escapes);
    return std::string(out.View().substr(1));
}

// The replacements of `table` (character → text) made one by one.
QString Replaced(const QString& text, const std::function<QString(QChar)>& table)
{
    QString replaced;
    for (const QChar c : text)
        replaced += table(c);
    return replaced;
}

QString HtmlReference(QChar c)
{
    switch (c.unicode()) {
    case u'&': return QStringLiteral("&amp;");
    case u'<': return QStringLiteral("&lt;");
    case u'>': return QStringLiteral("&gt;");
    case u'"': return QStringLiteral("&quot;");
    default: return QString(c);
    }
}

QString GiftReference(QChar c)
{
    if (QStringLiteral("~=#{}:\\").contains(c))
        return QStringLiteral("\\") + c;
    if (c == u'\n')
        return QStringLiteral("\\n");
    return c == u'\r' ? QString() : QString(c);
}

std::string Utf8(const QString& text)
{
    return text.toUtf8().toStdString();
}

TEST(Utf8Text, EscapesAsReplacingThenEncoding)
{
    for (quint32 seed = 1; seed <= 500; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        QRandomGenerator random(seed);
        const QString text = RandomText(random);
        ASSERT_EQ(Written(text, EscapeTable::None()), Utf8(text));
        ASSERT_EQ(Written(text, EscapeTable::Html()), Utf8(Replaced(text, HtmlReference)));
        ASSERT_EQ(Written(text, EscapeTable::Gift()), Utf8(Replaced(text, GiftReference)));
        // HTML inside GIFT: GIFT's escapes on the escaped HTML.
        ASSERT_EQ(Written(text, EscapeTable::Gift().AfterHtml()),
            Utf8(Replaced(Replaced(text, HtmlReference), GiftReference)));
        // Rendered markup inside GIFT, tags escaped too.
        const QString markup = text + QStringLiteral("<L=") + RandomText(random) + QStringLiteral(">@");
        Utf8Text rendered;
        MarkupRenderer::AppendHtml(rendered, markup, EscapeTable::Gift());
        ASSERT_EQ(std::string(rendered.View()), Utf8(GiftWriter::Escape(MarkupRenderer::ToHtml(markup))));
    }
}

TEST(Utf8Text, JsonStringsAsQtWritesThemSafeInAScript)
{
    for (quint32 seed = 1; seed <= 500; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        QRandomGenerator random(seed);
        const QString text = RandomText(random);
        QString json = QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact));
        json = json.mid(2, json.size() - 4); // the string's content
        json.replace(u'<', QLatin1String("\\u003c")).replace(u'>', QLatin1String("\\u003e"));
        json.replace(u'&', QLatin1String("\\u0026"));
        ASSERT_EQ(Written(text, EscapeTable::JsonInScript()), Utf8(json));
    }
}

} // namespace
