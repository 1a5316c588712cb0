#pragma once

#include "markup/Cmd.h"
#include "markup/GaijiMapper.h"
#include "markup/PrintTokenizer.h"

#include "platformexport/EscapeTable.h"

#include <QString>

class Utf8Text;

// The book's markup rendered for formats other than the word processor:
// external characters always as the ordinary characters they stand for
// (whether or not their font is installed, since the reader's device has
// none), "<A=…>" as "@", subscripts and underlined runs as HTML where the
// format takes HTML and as their bare text where it does not, line-break
// marks as line breaks. Every piece of book text is escaped for the
// format, so nothing in a book can become markup or script there.
class MarkupRenderer {
public:
    // The markup's runs handed one by one to `run(kind, text)`, texts as
    // views: Text, LineBreak, UnderlinedText (its text without the tag's
    // "L=") and SubscriptText, external characters as their ordinary
    // characters in Text.
    template <typename Run>
    static void ForEachRun(const QString& markup, Run run);
    // HTML with its text escaped: <u>, <sub> and <br/> only.
    static QString ToHtml(const QString& markup);
    // The HTML appended as text of `document`'s format: its escapes
    // applied to the whole (tags too), after HTML's on the book's text.
    static void AppendHtml(Utf8Text& out, const QString& markup, const EscapeTable& document = EscapeTable::None());
    // Plain text; a line-break mark becomes `lineBreak`.
    static QString ToPlain(const QString& markup, const QString& lineBreak = QStringLiteral("\n"));
    // Builds what rendering builds on first use (the table of external
    // characters, the empty font set), so that renderers may then run on
    // several threads at once.
    static void Prepare();

private:
    // Whether the text holds any markup (most answers and keywords hold
    // none: they are shown as they are).
    static bool HasMarkup(const QString& text);
    static InstalledFonts& NoFonts();
};

template <typename Run>
void MarkupRenderer::ForEachRun(const QString& markup, Run run)
{
    // Most answers and keywords hold no markup: the text itself.
    if (!HasMarkup(markup)) {
        if (!markup.isEmpty())
            run(Print::Text, QStringView(markup));
        return;
    }
    Print::ForEachRun(markup, NoFonts(), [&](int kind, QStringView text) {
        if (kind == Print::ExternalChar)
            run(Print::Text, QStringView(GaijiMapper().Map(text.toString())));
        else
            run(kind, text);
    });
}
