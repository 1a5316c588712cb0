#pragma once

#include <QString>
#include <QVariant>

#include <ostream>
#include <vector>

// The sample book databases that the build makes from data/books, and a
// small read-only query helper for looking into them (and into any other
// SQLite file) without going through the program's own reader.

struct SampleBook {
    QString file;     // name in the data folder
    QString product;  // book type code
    int minKeywords;  // the least vocabulary the book is meant to have
    bool rangeNumber; // whether the book offers ranges by number
};

// The three sample books, one per book type.
const std::vector<SampleBook>& SampleBooks();

// Names the book in test output.
void PrintTo(const SampleBook& book, std::ostream* os);

// One result row: qlonglong for integers, QString for texts, a null
// QVariant for NULL (reals and blobs do not occur in book databases).
using SqlRow = std::vector<QVariant>;

// Runs `sql` on the database at `path`, opened read-only. A failure to open
// or to run the statement fails the running test and gives no rows.
std::vector<SqlRow> QueryRows(const QString& path, const QString& sql);

// The single integer that `sql` yields (0 when it yields nothing).
qlonglong QueryInt(const QString& path, const QString& sql);
