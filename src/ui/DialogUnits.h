#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

class QWidget;

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
    // The rectangle of a text control (a label, a check box) at its place
    // in the table, made as large as `control` needs to show its text
    // whole: fonts differ, and a text must not be cut.
    QRect TextRect(const QWidget& control, int x, int y, int width, int height) const;

private:
    int baseX_;
    int baseY_;
};
