#pragma once
// Resolves external-character tags ("<G=" + four hexadecimal digits + ">")
// in a content text to the ordinary characters they stand for, leaving
// everything else as it is.
#include <QString>

class GaijiTagConverter {
public:
    virtual ~GaijiTagConverter() = default;

    // Every "<G=" takes the next four characters as its code and one more as
    // its closing character, whatever that character is; a tag cut short by
    // the end of the text takes the rest of the text.
    QString Convert(const QString& text) const;
};
