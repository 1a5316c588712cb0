#pragma once

#include "bookimport/Problems.h"

#include <QString>

class CppSQLite3DB;

// Checks a book database against everything the loader and the dialogs
// rely on: its tables, views and columns; the "DBID", "Product" and
// "RangeNumber" settings; attribute types 0 and 1 only; the rows of one
// owner consecutive in the attribute views; the table of contents in
// pre-order with known parents; relations, sentences and attributes that
// point at existing rows; no text or sub-question larger than a print run
// takes.
class BookChecker {
public:
    // True for a sound book; every problem found goes to `problems`.
    static bool Check(const QString& path, Problems& problems);

private:
    static constexpr int kExamples = 5;

    static QString NotReadable(const QString& path, int code);

    static bool CheckLayout(CppSQLite3DB& db, Problems& problems);
    static void CheckSettings(CppSQLite3DB& db, Problems& problems);
    static void CheckAttributeTypes(CppSQLite3DB& db, Problems& problems);
    static void CheckOwnersConsecutive(CppSQLite3DB& db, const char* view, const char* owner, Problems& problems);
    static void CheckContents(CppSQLite3DB& db, Problems& problems);
    static void CheckReferences(CppSQLite3DB& db, Problems& problems);
    static void CheckPrintBounds(CppSQLite3DB& db, Problems& problems);
    // Runs `sql`, whose rows are (id text) examples of one fault, and
    // reports them under `message` (with %1 for the count, %2 the examples).
    static void ReportRows(CppSQLite3DB& db, const char* sql, const QString& message, Problems& problems);
};
