#include "support/SampleBooks.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

const std::vector<SampleBook>& SampleBooks()
{
    static const std::vector<SampleBook> books = {
        {QStringLiteral("eitango101_main.db"), QStringLiteral("101"), 200, true},
        {QStringLiteral("kanji301_main.db"), QStringLiteral("301"), 150, true},
        {QStringLiteral("kanji303_main.db"), QStringLiteral("303"), 150, false},
    };
    return books;
}

void PrintTo(const SampleBook& book, std::ostream* os)
{
    *os << book.file.toStdString();
}

namespace {

QVariant ColumnValue(sqlite3_stmt* statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER: return QVariant(static_cast<qlonglong>(sqlite3_column_int64(statement, column)));
    case SQLITE_NULL: return QVariant();
    default:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
            sqlite3_column_bytes(statement, column)));
    }
}

} // namespace

std::vector<SqlRow> QueryRows(const QString& path, const QString& sql)
{
    std::vector<SqlRow> rows;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << "cannot open " << path.toStdString();
        sqlite3_close(db);
        return rows;
    }
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << sqlite3_errmsg(db) << " in: " << sql.toStdString();
        sqlite3_close(db);
        return rows;
    }
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        SqlRow row;
        for (int c = 0; c < sqlite3_column_count(statement); ++c)
            row.push_back(ColumnValue(statement, c));
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE)
        ADD_FAILURE() << sqlite3_errmsg(db) << " in: " << sql.toStdString();
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

qlonglong QueryInt(const QString& path, const QString& sql)
{
    const auto rows = QueryRows(path, sql);
    return rows.empty() || rows.front().empty() ? 0 : rows.front().front().toLongLong();
}
