#pragma once

#include "model/Node.h"

#include <QString>

// One book of a book database (a row of BookInfo).
class Book : public Node
{
public:
    int bid = 0;
    QString title;
    QString path; // the book database file the row was read from

    QString FilePath() const { return path; }
};
