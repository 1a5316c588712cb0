#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// The layout unit of the program's dialogs: horizontally a quarter of the
// average character width of the dialog's font, vertically an eighth of
// its character height. Dialog tables give positions and sizes in these
// units, so a dialog keeps its proportions with any font.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int X(int units) const;
    int Y(int units) const;
    QSize Size(int width, int height) const;
    QRect Rect(int x, int y, int width, int height) const;

private:
    int baseX_;
    int baseY_;
};
