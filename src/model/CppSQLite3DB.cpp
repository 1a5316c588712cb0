#include "model/CppSQLite3DB.h"

#include "model/SqliteError.h"

CppSQLite3DB::~CppSQLite3DB()
{
    try {
        Close();
    } catch (...) {
    }
}

void CppSQLite3DB::Open(const std::string& path, OpenMode mode)
{
    Close();
    sqlite3* db = nullptr;
    // A connection is used by one thread only: no per-call locking.
    const int access = mode == OpenMode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(path.c_str(), &db, access | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        CppSQLite3Exception error(rc, db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        throw error;
    }
    m_db = db;
    SetBusyTimeout(m_busyTimeoutMs);
}

void CppSQLite3DB::Close()
{
    if (!m_db)
        return;
    if (sqlite3_close(m_db) != SQLITE_OK)
        SqliteError::Layer(SqliteError::kCannotClose);
    m_db = nullptr;
}

bool CppSQLite3DB::IsReadOnly() const
{
    CheckOpen();
    return sqlite3_db_readonly(m_db, "main") == 1;
}

bool CppSQLite3DB::IsAutoCommit() const
{
    CheckOpen();
    return sqlite3_get_autocommit(m_db) != 0;
}

void CppSQLite3DB::CheckOpen() const
{
    if (!m_db)
        SqliteError::Layer(SqliteError::kNotOpen);
}

sqlite3_stmt* CppSQLite3DB::Compile(const char* sql)
{
    CheckOpen();
    sqlite3_stmt* vm = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, sql, -1, &vm, nullptr);
    if (rc != SQLITE_OK)
        SqliteError::FromConnection(rc, m_db);
    return vm;
}

CppSQLite3Statement CppSQLite3DB::Prepare(const char* sql)
{
    return CppSQLite3Statement(m_db, Compile(sql));
}

CppSQLite3Query CppSQLite3DB::Query(const char* sql)
{
    sqlite3_stmt* vm = Compile(sql);
    if (!vm) // the text held no statement
        SqliteError::Layer(SqliteError::kNoStatement);
    const int rc = sqlite3_step(vm);
    if (rc == SQLITE_DONE)
        return CppSQLite3Query(m_db, vm, true, true);
    if (rc == SQLITE_ROW)
        return CppSQLite3Query(m_db, vm, false, true);
    const int code = sqlite3_finalize(vm);
    SqliteError::FromConnection(code, m_db);
}

int CppSQLite3DB::ExecuteBatch(const char* sql)
{
    CheckOpen();
    char* error = nullptr;
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, &error);
    if (rc != SQLITE_OK)
        throw CppSQLite3Exception(rc, error, true);
    return sqlite3_changes(m_db);
}

void CppSQLite3DB::SetBusyTimeout(int ms)
{
    m_busyTimeoutMs = ms;
    if (m_db)
        sqlite3_busy_timeout(m_db, ms);
}
