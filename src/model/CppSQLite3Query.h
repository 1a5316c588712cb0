#pragma once

struct sqlite3;
struct sqlite3_stmt;

// A cursor over the result rows of a statement. Made by
// CppSQLite3DB::Query (the query then owns and finalizes its statement) or
// by CppSQLite3Statement::Query (the statement object keeps ownership).
// Text fields are UTF-8 and stay valid until the next step.
class CppSQLite3Query {
public:
    CppSQLite3Query() = default;
    CppSQLite3Query(sqlite3* db, sqlite3_stmt* vm, bool atEnd, bool ownsStatement);
    CppSQLite3Query(CppSQLite3Query&& other) noexcept;
    CppSQLite3Query& operator=(CppSQLite3Query&& other) noexcept;
    CppSQLite3Query(const CppSQLite3Query&) = delete;
    CppSQLite3Query& operator=(const CppSQLite3Query&) = delete;
    virtual ~CppSQLite3Query();

    bool AtEnd() const { return m_atEnd; }
    // Whether the query still holds its statement handle.
    bool HasStatement() const { return m_vm != nullptr; }
    int ColumnCount() const { return m_columnCount; }

    // Steps to the next row; at the end nothing happens.
    void Next();

    int FieldIndex(const char* name) const;
    // NULL reads 0.
    int IntField(int index) const;
    long long Int64Field(int index) const;
    // NULL reads as the empty text.
    const char* TextField(int index) const;
    bool FieldIsNull(int index) const;

    int IntField(const char* name) const { return IntField(FieldIndex(name)); }
    const char* TextField(const char* name) const { return TextField(FieldIndex(name)); }

    void Finalize();

private:
    void CheckStatement() const;
    void CheckField(int index) const;
    void FinalizeQuietly() noexcept;

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_vm = nullptr;
    bool m_atEnd = true;
    int m_columnCount = 0;
    bool m_ownsStatement = false;
};
