#include "model/CppSQLite3Statement.h"

#include "model/SqliteError.h"

#include <utility>

CppSQLite3Statement::CppSQLite3Statement(sqlite3* db, sqlite3_stmt* vm)
    : m_db(db)
    , m_vm(vm)
{
}

CppSQLite3Statement::CppSQLite3Statement(CppSQLite3Statement&& other) noexcept
    : m_db(other.m_db)
    , m_vm(std::exchange(other.m_vm, nullptr))
{
}

CppSQLite3Statement& CppSQLite3Statement::operator=(CppSQLite3Statement&& other) noexcept
{
    if (this != &other) {
        FinalizeQuietly();
        m_db = other.m_db;
        m_vm = std::exchange(other.m_vm, nullptr);
    }
    return *this;
}

CppSQLite3Statement::~CppSQLite3Statement()
{
    FinalizeQuietly();
}

void CppSQLite3Statement::FinalizeQuietly() noexcept
{
    try {
        Finalize();
    } catch (...) {
    }
}

void CppSQLite3Statement::CheckConnection() const
{
    if (!m_db)
        SqliteError::Layer(SqliteError::kNotOpen);
}

void CppSQLite3Statement::CheckStatement() const
{
    if (!m_vm)
        SqliteError::Layer(SqliteError::kNoStatement);
}

void CppSQLite3Statement::ResetAndThrow()
{
    const int code = sqlite3_reset(m_vm);
    SqliteError::FromConnection(code, m_db);
}

void CppSQLite3Statement::BindText(int index, const char* utf8)
{
    CheckStatement();
    const int rc = sqlite3_bind_text(m_vm, index, utf8, -1, SQLITE_TRANSIENT);
    if (rc != SQLITE_OK)
        throw CppSQLite3Exception(rc, "Error binding string param");
}

void CppSQLite3Statement::BindInt(int index, int value)
{
    CheckStatement();
    const int rc = sqlite3_bind_int(m_vm, index, value);
    if (rc != SQLITE_OK)
        throw CppSQLite3Exception(rc, "Error binding int param");
}

void CppSQLite3Statement::BindInt64(int index, long long value)
{
    CheckStatement();
    const int rc = sqlite3_bind_int64(m_vm, index, value);
    if (rc != SQLITE_OK)
        throw CppSQLite3Exception(rc, "Error binding int64 param");
}

void CppSQLite3Statement::BindNull(int index)
{
    CheckStatement();
    const int rc = sqlite3_bind_null(m_vm, index);
    if (rc != SQLITE_OK)
        throw CppSQLite3Exception(rc, "Error binding null param");
}

int CppSQLite3Statement::Execute()
{
    CheckConnection();
    CheckStatement();
    if (sqlite3_step(m_vm) != SQLITE_DONE)
        ResetAndThrow();
    const int changes = sqlite3_changes(m_db);
    const int rc = sqlite3_reset(m_vm);
    if (rc != SQLITE_OK)
        SqliteError::FromConnection(rc, m_db);
    return changes;
}

CppSQLite3Query CppSQLite3Statement::Query()
{
    CheckConnection();
    CheckStatement();
    const int rc = sqlite3_step(m_vm);
    if (rc == SQLITE_DONE)
        return CppSQLite3Query(m_db, m_vm, true, false);
    if (rc == SQLITE_ROW)
        return CppSQLite3Query(m_db, m_vm, false, false);
    ResetAndThrow();
}

void CppSQLite3Statement::Finalize()
{
    if (!m_vm)
        return;
    const int rc = sqlite3_finalize(m_vm);
    m_vm = nullptr;
    if (rc != SQLITE_OK)
        SqliteError::FromConnection(rc, m_db);
}
