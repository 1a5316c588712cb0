// Importing a 10,000-row word list with tavisko-book's importer (reading the
// CSV, checking every row, writing the book), against the sqlite3 shell
// loading the very same rows from an SQL file (a dump of the imported book).
#include "bookimport/BookImporter.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kRows = 10000;

QTemporaryDir& Folder()
{
    static QTemporaryDir dir;
    return dir;
}

// A word list as a teacher would keep it: number, headword, meaning, an
// example holding the headword with its translation, part of speech,
// chapter and section, page.
const QString& WordList()
{
    static const QString path = [] {
        const QString file = Folder().filePath(QStringLiteral("words.csv"));
        QByteArray csv("番号,見出し語,意味,例文,例文訳,品詞,章,節,頁\r\n");
        for (int i = 1; i <= kRows; ++i) {
            const QByteArray n = QByteArray::number(i);
            csv += n + ",word" + n + ",\"意味 " + n + "，その他\",\"We used word" + n + "s, twice.\",例文訳 " + n
                + "。,名,第" + QByteArray::number((i - 1) / 500 + 1) + "章,節" + QByteArray::number((i - 1) / 50 + 1)
                + "," + QByteArray::number(i / 4 + 1) + "\r\n";
        }
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(csv) != csv.size())
            qFatal("cannot write the word list");
        return file;
    }();
    return path;
}

QString Import(const QString& output)
{
    ImportRequest request;
    request.input = WordList();
    request.output = output;
    request.title = QStringLiteral("ベンチマークの単語帳");
    request.force = true;
    Problems problems;
    return BookImporter().Import(request, problems);
}

void BM_ImportWordList(benchmark::State& state)
{
    const QString output = Folder().filePath(QStringLiteral("import_main.db"));
    for (auto _ : state) {
        if (Import(output).isEmpty())
            state.SkipWithError("the import failed");
    }
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_ImportWordList)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// The same rows as SQL: the imported book dumped by the shell, in one
// transaction, as the build loads the bundled books.
void BM_Sqlite3ShellLoadsSql(benchmark::State& state)
{
    const QString dumped = Folder().filePath(QStringLiteral("dump_main.db"));
    const QString sql = Folder().filePath(QStringLiteral("book.sql"));
    if (Import(dumped).isEmpty()
        || std::system(qPrintable(QStringLiteral("sqlite3 '%1' .dump > '%2'").arg(dumped, sql))) != 0) {
        state.SkipWithError("cannot make the SQL file");
        return;
    }
    const QString target = Folder().filePath(QStringLiteral("shell_main.db"));
    const QByteArray command = QStringLiteral("rm -f '%1' && sqlite3 '%1' < '%2'").arg(target, sql).toLocal8Bit();
    for (auto _ : state) {
        if (std::system(command.constData()) != 0)
            state.SkipWithError("sqlite3 failed");
    }
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_Sqlite3ShellLoadsSql)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
