#pragma once

#include <QString>

#include <exception>

// Why a database operation failed: SQLite's result code (SQLITE_NOMEM for
// running out of memory, 0 for a failure that is not the database's) and
// the message that goes with it ("SQLITE_BUSY[5]: database is locked").
struct DatabaseError {
    int code = 0;
    QString message;

    bool IsEmpty() const { return code == 0 && message.isEmpty(); }
    static DatabaseError From(const std::exception& error);
    // The reason in the teacher's words, for the failures a teacher can do
    // something about: another program holding the file, a full disk, a
    // file or folder that may not be written, a file that cannot be opened
    // or is damaged, too little memory. Empty for the others.
    QString Reason() const;
};
