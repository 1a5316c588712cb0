#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QString>

#include <vector>

// Places the pieces of one list cell: ordinary text in the list's font and
// external characters in the external-character font, which is 1.2 times
// larger. An external character advances the pen by 1 + its drawn width
// / 1.2, so a line with external characters keeps the spacing of the list
// font; ordinary text advances by its width but never past the cell's end,
// where it is cut with an ellipsis.
class GaijiCellLayout {
public:
    struct PlacedRun {
        QString text;  // what to draw (ordinary text already elided)
        bool external; // draw with the external-character font
        int x;         // left edge, from the cell's left
        int advance;   // how far the pen moves after it
    };

    // Without the external-character font (`externalFontAvailable` false)
    // an external character is shown as the ordinary character it stands
    // for, in the list's font, as print does then.
    GaijiCellLayout(const QFont& plainFont, const QFont& externalFont, bool externalFontAvailable = true);

    // Whether the external-character font is installed (the installed-font
    // set, loaded on first use).
    static bool ExternalFontInstalled();

    // The external-character font that goes with a list font: the same
    // attributes, the external-character face, the height times 1.2
    // (truncated).
    static QFont ExternalFontFor(const QFont& listFont);

    // The runs of `text` (with its external-character tags) placed in a
    // cell `width` pixels wide; right-aligned and centred cells shift the
    // runs when the text is narrower than the cell.
    std::vector<PlacedRun> Layout(const QString& text, int width, Qt::Alignment alignment) const;

    // What the runs of `text` show, as one text in an ordinary font (for
    // tips): external characters as the ordinary characters they stand for.
    static QString DisplayText(const QString& text);

private:
    // Places the runs from `start`; returns where the pen ends.
    int Place(const QString& text, int start, int width, std::vector<PlacedRun>* placed) const;

    QFontMetrics plain_;
    QFontMetrics external_;
    bool externalAvailable_;
};
