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
    ItemText::AppendName(out, print, item, gift);
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
    std::size_t items = 0;
    for (const ExportPrint& print : set.prints)
        items += print.items.size();
    out.Reserve(1024 + items * 320); // the usual size, a sub-question under 300 bytes
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
    return out.Take();
}
