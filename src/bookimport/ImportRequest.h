#pragma once

#include <QString>
#include <QStringList>

// What the teacher asked to import.
struct ImportRequest {
    QString input;
    QString type;       // "101", "301" or "303"; empty: 101
    QString title;      // empty: the input's file name without its extension
    QString output;     // empty: the teacher's book folder, named after the title
    bool force = false; // replace an existing output
    QString from;       // the file's shape (SourceFormat); empty: found from the file
    QStringList roles;  // a flashcard file's column roles (ColumnRoles); empty: its own
};
