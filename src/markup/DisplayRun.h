#pragma once
// A content text cut into the pieces an owner-drawn list draws: ordinary
// text in the list's own font, and external characters in the
// external-character font.
#include <QString>

#include <vector>

struct DisplayRun {
    QString text;
    // The run holds the code-position character of an external-character
    // tag, to be drawn in the external-character font (not mapped).
    bool external = false;

    bool operator==(const DisplayRun&) const = default;
};

// Only well-formed tags ("<G=" + four hexadecimal digits + ">") become
// external runs; anything else is shown as the text it is.
std::vector<DisplayRun> SplitDisplayRuns(const QString& text);
