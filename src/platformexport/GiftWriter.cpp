#include "platformexport/GiftWriter.h"

#include "platformexport/AnswerNormalizer.h"
#include "platformexport/EscapeTable.h"
#include "platformexport/ExportSet.h"
#include "platformexport/ItemText.h"
#include "platformexport/MoodleXmlWriter.h"
#include "platformexport/Utf8Text.h"

namespace {

void WriteQuestion(Utf8Text& out, const ExportPrint& print, const ExportItem& item)
{
    const EscapeTable& gift = EscapeTable::Gift();
    out += "::";
    out.Append(ItemText::Name(print, item), gift);
    out += "::[html]";
    ItemText::AppendQuestionHtml(out, item, gift);
    out += " {\n";
    for (const QString& accepted : AnswerNormalizer::Alternatives(item.answer)) {
        out += "  =";
        out.Append(MoodleXmlWriter::EscapeWildcard(accepted), gift);
        out += '\n';
    }
    out += "  ####";
    ItemText::AppendAnswerHtml(out, item, gift);
    out += "\n}\n\n";
}

} // namespace

QString GiftWriter::Escape(const QString& text)
{
    Utf8Text escaped;
    escaped.Append(text, EscapeTable::Gift());
    const std::string_view bytes = escaped.View();
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QByteArray GiftWriter::Write(const ExportSet& set)
{
    Utf8Text out;
    out += "// ";
    out += set.bookTitle.simplified();
    out += "\n\n";
    for (const ExportPrint& print : set.prints) {
        out += "$CATEGORY: $course$/";
        out += MoodleXmlWriter::CategoryName(set.bookTitle);
        out += '/';
        out += MoodleXmlWriter::CategoryName(print.name);
        out += "\n\n";
        for (const ExportItem& item : print.items)
            WriteQuestion(out, print, item);
    }
    return out.ToByteArray();
}
