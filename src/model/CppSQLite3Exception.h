#pragma once

#include <exception>

// The only error type of the SQLite access layer. Carries an SQLite result
// code (or CPPSQLITE_ERROR for errors the layer raises itself) and a message
// of the form "<code name>[<code>]: <detail>", which what() gives too.
class CppSQLite3Exception : public std::exception {
public:
    static constexpr int CPPSQLITE_ERROR = 1000;

    // `detail` may be null (reads as the empty text). When `releaseDetail`
    // is set, `detail` was allocated by SQLite and is freed here once the
    // message has been built.
    CppSQLite3Exception(int code, const char* detail, bool releaseDetail = false);
    CppSQLite3Exception(const CppSQLite3Exception& other);
    CppSQLite3Exception& operator=(const CppSQLite3Exception& other);
    ~CppSQLite3Exception() override;

    int Code() const { return m_code; }
    // The formatted message; null only when allocating it failed.
    const char* Message() const { return m_message; }
    // The message; empty when allocating it failed.
    const char* what() const noexcept override { return m_message ? m_message : ""; }

    // The name of an error code, "UNKNOWN_ERROR" for codes without one.
    static const char* CodeName(int code);

private:
    int m_code;
    char* m_message;
};
