#pragma once

#include "model/CppSQLite3Query.h"
#include "model/CppSQLite3Statement.h"

#include <string>

struct sqlite3;

// One open SQLite connection. Every operation throws CppSQLite3Exception on
// failure. Texts and file names are UTF-8.
class CppSQLite3DB {
public:
    static constexpr int kDefaultBusyTimeoutMs = 60000;

    CppSQLite3DB() = default;
    CppSQLite3DB(const CppSQLite3DB&) = delete;
    CppSQLite3DB& operator=(const CppSQLite3DB&) = delete;
    virtual ~CppSQLite3DB();

    enum class OpenMode {
        ReadWriteCreate, // the file is created when missing
        ReadOnly,        // a missing file fails; nothing is ever written
    };

    // Closes a connection already held, then opens `path`. The connection
    // must be used from one thread at a time.
    void Open(const std::string& path, OpenMode mode = OpenMode::ReadWriteCreate);
    void Close();
    bool IsOpen() const { return m_db != nullptr; }
    // Whether the open database can only be read (file or folder not writable).
    bool IsReadOnly() const;

    CppSQLite3Statement Prepare(const char* sql);
    // Prepares and steps to the first row; the query owns its statement.
    CppSQLite3Query Query(const char* sql);
    // Runs one or more statements; returns the changes of the last one.
    int ExecuteBatch(const char* sql);

    void SetBusyTimeout(int ms);
    // False while a transaction is open.
    bool IsAutoCommit() const;
    int BusyTimeout() const { return m_busyTimeoutMs; }

private:
    void CheckOpen() const;
    sqlite3_stmt* Compile(const char* sql);

    sqlite3* m_db = nullptr;
    int m_busyTimeoutMs = kDefaultBusyTimeoutMs;
};
