#pragma once
// Replaces a character of the external-character font by the ordinary
// character it stands for, for places where that font cannot be used (plain
// text in lists, and print when the font is not installed). The font puts
// its glyphs at the code positions of rarely used kanji; the table maps each
// such kanji to the character the glyph shows.
#include <QString>
#include <QStringView>

class GaijiMapper {
public:
    // Builds the process-wide table if it has not been built yet.
    GaijiMapper();
    virtual ~GaijiMapper() = default;

    // The replacement when the whole text is one of the font's code-position
    // characters; otherwise the text unchanged.
    QString Map(const QString& text) const;

    // Number of entries in the table (builds it when needed).
    static int TableSize();
    // Empties the process-wide table at program exit; it is rebuilt if a
    // mapper is used again afterwards.
    static void ReleaseTable();
};
