#pragma once

// Throw helpers shared by the SQLite access classes.

#include "model/CppSQLite3Exception.h"

#include <sqlite3.h>

namespace SqliteError {

// An error the layer raises itself (code CPPSQLITE_ERROR).
[[noreturn]] inline void Layer(const char* detail)
{
    throw CppSQLite3Exception(CppSQLite3Exception::CPPSQLITE_ERROR, detail);
}

// An SQLite failure, described by the connection's last error text.
[[noreturn]] inline void FromConnection(int code, sqlite3* db)
{
    throw CppSQLite3Exception(code, db ? sqlite3_errmsg(db) : sqlite3_errstr(code));
}

inline constexpr const char* kNotOpen = "Database not open";
inline constexpr const char* kNoStatement = "Null Virtual Machine pointer";
inline constexpr const char* kBadFieldIndex = "Invalid field index requested";
inline constexpr const char* kBadFieldName = "Invalid field name requested";
inline constexpr const char* kCannotClose = "Unable to close database";

} // namespace SqliteError
