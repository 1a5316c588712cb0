#pragma once

#include <QString>

// Options that shape every print: the title written into it, whether it
// shows its question range, and whether sentences from outside the book
// itself are offered as candidates.
struct PrintOptions {
    QString title;
    bool showRange = true;
    bool useBonus = false;
};
