#include "platformexport/GiftWriter.h"

#include "platformexport/AnswerNormalizer.h"
#include "platformexport/EscapedText.h"
#include "platformexport/ExportSet.h"
#include "platformexport/ItemText.h"
#include "platformexport/MoodleXmlWriter.h"

namespace {

void WriteQuestion(QString& out, const ExportPrint& print, const ExportItem& item)
{
    out += QLatin1String("::");
    GiftWriter::AppendEscaped(out, ItemText::Name(print, item));
    out += QLatin1String("::[html]");
    GiftWriter::AppendEscaped(out, ItemText::QuestionHtml(item));
    out += QLatin1String(" {\n");
    for (const QString& accepted : AnswerNormalizer::Alternatives(item.answer)) {
        out += QLatin1String("  =");
        GiftWriter::AppendEscaped(out, MoodleXmlWriter::EscapeWildcard(accepted));
        out += u'\n';
    }
    out += QLatin1String("  ####");
    GiftWriter::AppendEscaped(out, ItemText::AnswerHtml(item));
    out += QLatin1String("\n}\n\n");
}

} // namespace

QString GiftWriter::Escape(const QString& text)
{
    QString escaped;
    AppendEscaped(escaped, text);
    return escaped;
}

void GiftWriter::AppendEscaped(QString& out, QStringView text)
{
    EscapedText::Append(out, text, [](char16_t c) -> std::optional<QLatin1String> {
        switch (c) {
        case u'~': return QLatin1String("\\~");
        case u'=': return QLatin1String("\\=");
        case u'#': return QLatin1String("\\#");
        case u'{': return QLatin1String("\\{");
        case u'}': return QLatin1String("\\}");
        case u':': return QLatin1String("\\:");
        case u'\\': return QLatin1String("\\\\");
        case u'\r': return QLatin1String("");
        case u'\n': return QLatin1String("\\n");
        default: return std::nullopt;
        }
    });
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
