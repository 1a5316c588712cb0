#pragma once

#include <QString>

// Keeps the markup of a cell as written while making sure no text is lost
// in print. In the markup every "<" opens a tag that the first ">" closes;
// a "<" without its ">" (before the next "<" or the end of the text) would
// swallow the rest of the text as a tag. Such a "<" becomes the full-width
// "＜", which prints as the character it stands for.
class MarkupGuard {
public:
    // The text to store; `changed` tells whether a "<" was replaced.
    static QString Guard(const QString& text, bool& changed);
};
