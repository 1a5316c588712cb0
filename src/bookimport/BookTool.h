#pragma once

#include "bookimport/Problems.h"

#include <QStringList>
#include <QTextStream>

class SpreadsheetReader;

// The command line of tavisko-book:
//   tavisko-book import INPUT [--type 101|301|303] [--title TITLE] [-o OUTPUT] [--force]
//                             [--from anki|quizlet|mnemosyne|sheet]
//   tavisko-book check BOOK
//   tavisko-book export BOOK -o SHEET.csv [--force]
// Problems go to `err` one per line as "FILE:ROW:COLUMN: message"; the
// result is the exit status: 0 success, 1 problems, 2 a wrong command line.
class BookTool {
public:
    BookTool(QTextStream& out, QTextStream& err, SpreadsheetReader* spreadsheets = nullptr);

    int Run(const QStringList& arguments);

    static constexpr int kOk = 0;
    static constexpr int kProblems = 1;
    static constexpr int kUsage = 2;

private:
    int Import(const QStringList& arguments);
    int Check(const QStringList& arguments);
    int Export(const QStringList& arguments);
    int Usage(const QString& message);
    void WriteProblems(const Problems& problems);

    QTextStream& m_out;
    QTextStream& m_err;
    SpreadsheetReader* m_spreadsheets;
};
