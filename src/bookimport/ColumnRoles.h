#pragma once

#include "bookimport/Problems.h"
#include "automation/Sheet.h"

#include <QStringList>

// What the columns of a flashcard file become in a word list: each column
// takes one of the word list's column names (its role) or none. With the
// roles applied the file is read as a word list whose header names its
// columns, so every check and message of a word list applies, with the
// file's own column numbers.
class ColumnRoles {
public:
    // The roles a column can take.
    static QStringList Choices();
    // `roles` fitted to the sheet's columns: cut or filled with none.
    static QStringList Fitted(const Sheet& sheet, const QStringList& roles);
    // False, with the reason in `problems`, when a role is not a choice,
    // is given to two columns, or 見出し語 or 意味 is given to none.
    static bool Check(const Sheet& sheet, const QStringList& roles, Problems& problems);
    // "1 列目「Front」→見出し語、2 列目「Back」→意味", for messages.
    static QString Describe(const Sheet& sheet, const QStringList& roles);
};
