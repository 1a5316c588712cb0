#include "model/CppSQLite3Query.h"

#include "model/SqliteError.h"

#include <cstring>
#include <utility>

CppSQLite3Query::CppSQLite3Query(sqlite3* db, sqlite3_stmt* vm, bool atEnd, bool ownsStatement)
    : m_db(db)
    , m_vm(vm)
    , m_atEnd(atEnd)
    , m_columnCount(vm ? sqlite3_column_count(vm) : 0)
    , m_ownsStatement(ownsStatement)
{
}

CppSQLite3Query::CppSQLite3Query(CppSQLite3Query&& other) noexcept
    : m_db(other.m_db)
    , m_vm(std::exchange(other.m_vm, nullptr))
    , m_atEnd(other.m_atEnd)
    , m_columnCount(other.m_columnCount)
    , m_ownsStatement(other.m_ownsStatement)
{
}

CppSQLite3Query& CppSQLite3Query::operator=(CppSQLite3Query&& other) noexcept
{
    if (this != &other) {
        FinalizeQuietly();
        m_db = other.m_db;
        m_vm = std::exchange(other.m_vm, nullptr);
        m_atEnd = other.m_atEnd;
        m_columnCount = other.m_columnCount;
        m_ownsStatement = other.m_ownsStatement;
    }
    return *this;
}

CppSQLite3Query::~CppSQLite3Query()
{
    FinalizeQuietly();
}

void CppSQLite3Query::FinalizeQuietly() noexcept
{
    try {
        Finalize();
    } catch (...) {
    }
}

void CppSQLite3Query::CheckStatement() const
{
    if (!m_vm)
        SqliteError::Layer(SqliteError::kNoStatement);
}

void CppSQLite3Query::CheckField(int index) const
{
    CheckStatement();
    if (index < 0 || index > m_columnCount - 1)
        SqliteError::Layer(SqliteError::kBadFieldIndex);
}

void CppSQLite3Query::Next()
{
    CheckStatement();
    if (m_atEnd)
        return; // stepping again would restart the statement
    const int rc = sqlite3_step(m_vm);
    if (rc == SQLITE_DONE) {
        m_atEnd = true;
    } else if (rc != SQLITE_ROW) {
        const int code = sqlite3_finalize(m_vm);
        m_vm = nullptr;
        SqliteError::FromConnection(code, m_db);
    }
}

int CppSQLite3Query::FieldIndex(const char* name) const
{
    CheckStatement();
    if (name) {
        for (int i = 0; i < m_columnCount; ++i) {
            const char* column = sqlite3_column_name(m_vm, i);
            if (column && std::strcmp(name, column) == 0)
                return i;
        }
    }
    SqliteError::Layer(SqliteError::kBadFieldName);
}

int CppSQLite3Query::IntField(int index) const
{
    CheckField(index);
    if (sqlite3_column_type(m_vm, index) == SQLITE_NULL)
        return 0;
    return sqlite3_column_int(m_vm, index);
}

const char* CppSQLite3Query::TextField(int index) const
{
    CheckField(index);
    if (sqlite3_column_type(m_vm, index) == SQLITE_NULL)
        return "";
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_vm, index));
    return text ? text : "";
}

long long CppSQLite3Query::Int64Field(int index) const
{
    CheckField(index);
    return sqlite3_column_int64(m_vm, index);
}

bool CppSQLite3Query::FieldIsNull(int index) const
{
    CheckField(index);
    return sqlite3_column_type(m_vm, index) == SQLITE_NULL;
}

void CppSQLite3Query::Finalize()
{
    if (m_vm && m_ownsStatement) {
        const int rc = sqlite3_finalize(m_vm);
        m_vm = nullptr;
        if (rc != SQLITE_OK)
            SqliteError::FromConnection(rc, m_db);
    }
    m_vm = nullptr;
}
