#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class HistoryStore;
class QIODevice;

// The history written out for people and spreadsheets: a list of the runs,
// one line each, and the whole record as CSV, one row per sub-question.
class HistoryReport {
public:
    // One line per run, newest first, tab-separated: 実行ID, 日時, 名前,
    // 書籍, prints, sub-questions, the range line. Each line ends in "\n".
    static bool WriteList(HistoryStore& store, QIODevice& out, QString* error = nullptr);

    // The header and one row per sub-question, oldest run first, in UTF-8
    // with CRLF line ends; with `bom` the file begins with the byte-order
    // mark, so a spreadsheet reads it as UTF-8.
    static bool WriteCsv(HistoryStore& store, QIODevice& out, bool bom, QString* error = nullptr);

    static QStringList CsvHeader();
    // One CSV record: each cell quoted, with a cell that a spreadsheet
    // would take for a formula made plain text first.
    static QByteArray CsvRecord(const QStringList& cells);
};
