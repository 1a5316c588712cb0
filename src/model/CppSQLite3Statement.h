#pragma once

#include "model/CppSQLite3Query.h"

#include <string>

struct sqlite3;
struct sqlite3_stmt;

// One prepared statement with bound parameters. Borrows the connection of
// the CppSQLite3DB that prepared it and owns its statement handle. Move-only.
class CppSQLite3Statement {
public:
    CppSQLite3Statement() = default;
    CppSQLite3Statement(sqlite3* db, sqlite3_stmt* vm);
    CppSQLite3Statement(CppSQLite3Statement&& other) noexcept;
    CppSQLite3Statement& operator=(CppSQLite3Statement&& other) noexcept;
    CppSQLite3Statement(const CppSQLite3Statement&) = delete;
    CppSQLite3Statement& operator=(const CppSQLite3Statement&) = delete;
    virtual ~CppSQLite3Statement();

    // Parameter indices are 1-based. SQLite copies the text.
    void BindText(int index, const char* utf8);
    void BindText(int index, const std::string& utf8) { BindText(index, utf8.c_str()); }
    void BindInt(int index, int value);
    void BindInt64(int index, long long value);
    void BindNull(int index);

    // Runs the statement once and returns the number of changed rows; the
    // statement is reset afterwards and can be run again.
    int Execute();
    // A cursor on the first row; the statement keeps ownership of the handle.
    CppSQLite3Query Query();
    void Finalize();

private:
    void CheckConnection() const;
    void CheckStatement() const;
    [[noreturn]] void ResetAndThrow();
    void FinalizeQuietly() noexcept;

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_vm = nullptr;
};
