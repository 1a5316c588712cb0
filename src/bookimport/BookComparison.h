#pragma once

#include <QString>
#include <QStringList>

// Two book databases compared table by table as the program sees them:
// everything but the ids the rows are joined by (and the sort keys that
// only order them), the book id and the DBID. Rows refer to each other by
// position (the third keyword, the fifth entry) and to attribute classes
// by name.
class BookComparison {
public:
    struct Table {
        QString name;     // as a teacher reads it
        QStringList rows; // one line per row, in the book's order
    };

    // The comparable content of a book; throws CppSQLite3Exception when the
    // book cannot be read.
    static std::vector<Table> Content(const QString& path);
    // One line per table that differs: its name, its row counts and the
    // first row that differs. Empty when the books are equal.
    static QStringList Differences(const QString& expected, const QString& actual);
};
