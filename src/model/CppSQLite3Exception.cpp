#include "model/CppSQLite3Exception.h"

#include <sqlite3.h>

namespace {

char* CopyMessage(const char* message)
{
    return message ? sqlite3_mprintf("%s", message) : nullptr;
}

} // namespace

CppSQLite3Exception::CppSQLite3Exception(int code, const char* detail, bool releaseDetail)
    : m_code(code)
    , m_message(sqlite3_mprintf("%s[%d]: %s", CodeName(code), code, detail ? detail : ""))
{
    if (releaseDetail && detail)
        sqlite3_free(const_cast<char*>(detail));
}

CppSQLite3Exception::CppSQLite3Exception(const CppSQLite3Exception& other)
    : m_code(other.m_code)
    , m_message(CopyMessage(other.m_message))
{
}

CppSQLite3Exception& CppSQLite3Exception::operator=(const CppSQLite3Exception& other)
{
    if (this != &other) {
        char* copy = CopyMessage(other.m_message);
        sqlite3_free(m_message);
        m_message = copy;
        m_code = other.m_code;
    }
    return *this;
}

CppSQLite3Exception::~CppSQLite3Exception()
{
    sqlite3_free(m_message);
}

const char* CppSQLite3Exception::CodeName(int code)
{
    static const char* const names[] = {
        "SQLITE_OK",
        "SQLITE_ERROR",
        "SQLITE_INTERNAL",
        "SQLITE_PERM",
        "SQLITE_ABORT",
        "SQLITE_BUSY",
        "SQLITE_LOCKED",
        "SQLITE_NOMEM",
        "SQLITE_READONLY",
        "SQLITE_INTERRUPT",
        "SQLITE_IOERR",
        "SQLITE_CORRUPT",
        "SQLITE_NOTFOUND",
        "SQLITE_FULL",
        "SQLITE_CANTOPEN",
        "SQLITE_PROTOCOL",
        "SQLITE_EMPTY",
        "SQLITE_SCHEMA",
        "SQLITE_TOOBIG",
        "SQLITE_CONSTRAINT",
        "SQLITE_MISMATCH",
        "SQLITE_MISUSE",
        "SQLITE_NOLFS",
        "SQLITE_AUTH",
        "SQLITE_FORMAT",
        "SQLITE_RANGE",
    };
    constexpr int namedCount = int(sizeof(names) / sizeof(names[0]));
    if (code >= 0 && code < namedCount)
        return names[code];
    switch (code) {
    case 100: return "SQLITE_ROW";
    case 101: return "SQLITE_DONE";
    case CPPSQLITE_ERROR: return "CPPSQLITE_ERROR";
    default: return "UNKNOWN_ERROR";
    }
}
