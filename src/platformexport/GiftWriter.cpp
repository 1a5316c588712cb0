#include "platformexport/GiftWriter.h"

#include "platformexport/AnswerNormalizer.h"
#include "platformexport/ExportSet.h"
#include "platformexport/ItemText.h"
#include "platformexport/MoodleXmlWriter.h"

namespace {

void WriteQuestion(QString& out, const ExportPrint& print, const ExportItem& item)
{
    out += QLatin1String("::") + GiftWriter::Escape(ItemText::Name(print, item)) + QLatin1String("::[html]");
    out += GiftWriter::Escape(ItemText::QuestionHtml(item)) + QLatin1String(" {\n");
    for (const QString& accepted : AnswerNormalizer::Alternatives(item.answer))
        out += QLatin1String("  =") + GiftWriter::Escape(MoodleXmlWriter::EscapeWildcard(accepted)) + QLatin1Char('\n');
    out += QLatin1String("  ####") + GiftWriter::Escape(ItemText::AnswerHtml(item)) + QLatin1String("\n}\n\n");
}

} // namespace

QString GiftWriter::Escape(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size() + 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'~':
        case u'=':
        case u'#':
        case u'{':
        case u'}':
        case u':':
        case u'\\':
            escaped += u'\\';
            escaped += c;
            break;
        case u'\r': break;
        case u'\n': escaped += QLatin1String("\\n"); break;
        default: escaped += c;
        }
    }
    return escaped;
}

QByteArray GiftWriter::Write(const ExportSet& set)
{
    QString out;
    out += QLatin1String("// ") + set.bookTitle.simplified() + QLatin1String("\n\n");
    for (const ExportPrint& print : set.prints) {
        out += QLatin1String("$CATEGORY: $course$/") + MoodleXmlWriter::CategoryName(set.bookTitle) + QLatin1Char('/')
            + MoodleXmlWriter::CategoryName(print.name) + QLatin1String("\n\n");
        for (const ExportItem& item : print.items)
            WriteQuestion(out, print, item);
    }
    return out.toUtf8();
}
