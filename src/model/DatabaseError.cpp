#include "model/DatabaseError.h"

#include "model/CppSQLite3Exception.h"

#include <sqlite3.h>

#include <new>

DatabaseError DatabaseError::From(const std::exception& error)
{
    if (const auto* sqlite = dynamic_cast<const CppSQLite3Exception*>(&error))
        return {sqlite->Code(), QString::fromUtf8(sqlite->what())};
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return {SQLITE_NOMEM, QString::fromUtf8(error.what())};
    return {0, QString::fromUtf8(error.what())};
}

QString DatabaseError::Reason() const
{
    // Extended result codes keep the primary code in their low byte.
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return QStringLiteral("ほかのプログラムがファイルを使用中です。");
    case SQLITE_FULL: return QStringLiteral("ディスクの空きがありません。");
    case SQLITE_IOERR: return QStringLiteral("ディスクの読み書きに失敗しました。");
    case SQLITE_READONLY:
    case SQLITE_PERM: return QStringLiteral("書き込みが許可されていません。");
    case SQLITE_CANTOPEN: return QStringLiteral("ファイルを開けません。");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return QStringLiteral("ファイルが壊れているか、データベースではありません。");
    case SQLITE_NOMEM: return QStringLiteral("メモリが足りません。");
    default: return {};
    }
}
