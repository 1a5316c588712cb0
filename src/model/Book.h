#pragma once

#include "model/Node.h"

#include <QString>

// One book of a book database (a row of BookInfo). Two book database files
// may use the same bid: a book is the pair of its file and its bid.
class Book : public Node {
public:
    int bid = 0;
    QString title;
    QString path; // the book database file the row was read from
    QString dbid; // the "DBID" of that file, when read through discovery

    QString FilePath() const { return path; }
};
