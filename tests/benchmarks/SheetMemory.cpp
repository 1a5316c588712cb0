// Peak memory of importing the largest sheets an import takes, each in a
// process of its own (read, checked and written as a book, as
// tavisko-book import and the import window do): the counter peak_mb is
// that process's peak resident size. The goal is under 1 GB for any sheet
// within the bounds (1,000,000 rows, 64 columns, 200 MB):
// - a teacher's word list of 1,000,000 rows (the row bound);
// - 999,999 rows of 64 tiny cells (the most cells, each as small as it
//   gets), as a word list and as a question sheet whose other columns
//   are attributes;
// - a word list of 200 MB (the size bound) of long headwords and meanings;
// - 999,999 rows each with five notes for the teacher (the same headword
//   again, tags of no known kind, an example without its headword).
#include "bookimport/BookImporter.h"
#include "automation/SheetLimits.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QTemporaryDir& Folder()
{
    static QTemporaryDir dir;
    return dir;
}

QString WriteSheet(const QString& name, const std::function<void(QFile&)>& rows)
{
    const QString path = Folder().filePath(name);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    rows(out);
    return path;
}

QString LargestWordList()
{
    return WriteSheet(QStringLiteral("largest.csv"), [](QFile& out) {
        out.write("番号,見出し語,意味,品詞,章,節,頁\r\n");
        for (int i = 1; i <= SheetLimits::MaxRows; ++i) {
            const QByteArray n = QByteArray::number(i);
            out.write(n + ",word" + n + ",意味" + n + ",名,第" + QByteArray::number((i - 1) / 20000 + 1) + "章,節"
                + QByteArray::number((i - 1) / 200 + 1) + "," + QByteArray::number(i / 40 + 1) + "\r\n");
        }
    });
}

// The header's first seven columns are ours, the other 57 not (a word
// list reads past them; a question sheet makes each an attribute).
QString TinyCells(const QString& name, const QByteArray& ours)
{
    return WriteSheet(name, [&](QFile& out) {
        QByteArray header = ours;
        QByteArray rest;
        for (int c = 8; c <= SheetLimits::MaxColumns; ++c) {
            header += ",x" + QByteArray::number(c);
            rest += ",a";
        }
        out.write(header + "\r\n");
        for (int i = 1; i < SheetLimits::MaxRows; ++i) {
            const QByteArray n = QByteArray::number(i);
            out.write(n + ",w" + n + ",m,名,1,1,1" + rest + "\r\n");
        }
    });
}

QString TwoHundredMegabytes()
{
    return WriteSheet(QStringLiteral("200mb.csv"), [](QFile& out) {
        out.write("番号,見出し語,意味\r\n");
        const QByteArray word(4990, 'w');
        const QByteArray meaning(4990, 'm');
        qint64 written = 0;
        for (int i = 1; written < SheetLimits::MaxFileBytes - 20000; ++i) {
            const QByteArray n = QByteArray::number(i).rightJustified(9, '0');
            written += out.write(n + "," + word + n + "," + meaning + n + "\r\n");
        }
    });
}

QString NotesOnEveryRow()
{
    return WriteSheet(QStringLiteral("notes.csv"), [](QFile& out) {
        out.write("見出し語,意味,例文,例文訳\r\n");
        for (int i = 1; i < SheetLimits::MaxRows; ++i)
            out.write("a,<x>,<y> b,<z>\r\n");
    });
}

// Imports the sheet in a child process; its peak resident size and time.
void ImportInAChild(benchmark::State& state, const QString& sheet)
{
    const QString book = Folder().filePath(QStringLiteral("book_main.db"));
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = fork();
        if (child == 0) {
            ImportRequest request;
            request.input = sheet;
            request.output = book;
            request.force = true;
            Problems problems;
            _exit(BookImporter().Import(request, problems).isEmpty() ? 1 : 0);
        }
        int status = 0;
        rusage usage = {};
        if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the sheet was not imported");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        state.counters["peak_mb"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
        state.counters["cpu_s"] = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
            + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    QFile::remove(sheet);
}

void LargestWordList(benchmark::State& state)
{
    ImportInAChild(state, LargestWordList());
}

void TinyCellsWordList(benchmark::State& state)
{
    ImportInAChild(state, TinyCells(QStringLiteral("tiny.csv"), "番号,見出し語,意味,品詞,章,節,頁"));
}

void TinyCellsQuestionSheet(benchmark::State& state)
{
    ImportInAChild(state, TinyCells(QStringLiteral("tinyq.csv"), "番号,見出し語,形式,問題文,解答,章,頁"));
}

void TwoHundredMegabyteWordList(benchmark::State& state)
{
    ImportInAChild(state, TwoHundredMegabytes());
}

void NotesOnEveryRow(benchmark::State& state)
{
    ImportInAChild(state, NotesOnEveryRow());
}

BENCHMARK(LargestWordList)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();
BENCHMARK(TinyCellsWordList)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();
BENCHMARK(TinyCellsQuestionSheet)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();
BENCHMARK(TwoHundredMegabyteWordList)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();
BENCHMARK(NotesOnEveryRow)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

} // namespace

BENCHMARK_MAIN();
