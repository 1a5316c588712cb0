#include "platformexport/GiftWriter.h"

#include "platformexport/AnswerNormalizer.h"
#include "platformexport/EscapeTable.h"
#include "platformexport/ExportSet.h"
#include "platformexport/ItemText.h"
#include "platformexport/MoodleXmlWriter.h"
#include "platformexport/ParallelPrints.h"
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

ExportBytes GiftWriter::Write(const ExportSet& set)
{
    // Each print's category and questions made apart, written as they are
    // after the header.
    std::vector<Utf8Text> prints(set.prints.size());
    ParallelPrints::ForEach(set.prints.size(), [&](std::size_t p) {
        const ExportPrint& print = set.prints[p];
        Utf8Text& out = prints[p];
        out.Reserve(256 + print.items.size() * 320); // the usual size, a sub-question under 300 bytes
        out += "$CATEGORY: $course$/";
        out += MoodleXmlWriter::CategoryName(set.bookTitle);
        out += '/';
        out += MoodleXmlWriter::CategoryName(print.name);
        out += "\n\n";
        for (const ExportItem& item : print.items)
            WriteQuestion(out, print, item);
    });
    Utf8Text out;
    out += "// ";
    out += set.bookTitle.simplified();
    out += "\n\n";
    ExportBytes gift(out.Take());
    for (Utf8Text& print : prints)
        gift.Add(print.Take());
    return gift;
}
