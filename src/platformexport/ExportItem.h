#pragma once

#include <QString>

// One sub-question of a print as it is exported: its question format, its
// sentence and its answer, with the book's markup still in the texts (each
// format renders it in its own way).
struct ExportItem {
    int formatNumber = 0; // the question format's number in the print, from 1
    QString formatTitle;  // the format's title (plain text)
    QString instruction;  // the format's instruction, marked up
    int number = 0;       // the number printed before it (from 1 within its format)
    int position = 0;     // its place in the whole print, from 1
    QString sentence;     // marked up
    QString answer;       // marked up
    QString keyword;      // the keyword it drills, marked up; empty when unknown
    int sid = 0;
};
