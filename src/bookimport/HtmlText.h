#pragma once

#include <QString>

// The text a flashcard field's HTML shows: a line break for "<br>" and
// between blocks ("<div>", "<p>", list items), character references
// decoded, every other tag dropped with what it holds of scripts and
// styles. Parsed by libxml2's HTML parser, which copes with the broken
// markup an editor leaves and knows the named entities.
class HtmlText {
public:
    static QString ToText(const QString& html);
    // Whether the text holds a tag or a character reference.
    static bool LooksLikeHtml(const QString& text);
};
