#pragma once
// The large book the benchmarks load: the generated benchmark book of the
// build, or, when it is missing, a book of the same size made here from SQL
// (kept for the whole run).
#include "support/BookFixture.h"

#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

inline const QString& LargeBook()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString generated = QStringLiteral(TV_BENCH_BOOK);
        if (QFileInfo::exists(generated))
            return generated;
        const QString made = dir.filePath(QStringLiteral("large_main.db"));
        const QString error = BookFixture::Build(made, BookFixture::LargeBookSql());
        if (!error.isEmpty())
            qFatal("cannot build the large book: %s", qPrintable(error));
        return made;
    }();
    return path;
}
