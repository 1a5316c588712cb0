// Peak memory of reading and checking the largest sheet an import takes:
// 1,000,000 rows of a teacher's word list (the row bound), read, checked
// and made into a book draft as the import dialog's preview does, without
// writing. The counter peak_mb is the process's peak resident size; the
// goal is under 1 GB for any sheet.
#include "bookimport/BookImporter.h"
#include "automation/SheetLimits.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

QString LargestWordList(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("largest.csv"));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return QString();
    out.write("番号,見出し語,意味,品詞,章,節,頁\r\n");
    for (int i = 1; i <= SheetLimits::MaxRows; ++i) {
        const QByteArray n = QByteArray::number(i);
        out.write(n + ",word" + n + ",意味" + n + ",名,第" + QByteArray::number((i - 1) / 20000 + 1) + "章,節"
            + QByteArray::number((i - 1) / 200 + 1) + "," + QByteArray::number(i / 40 + 1) + "\r\n");
    }
    return path;
}

void ReadTheLargestSheet(benchmark::State& state)
{
    QTemporaryDir dir;
    ImportRequest request;
    request.input = LargestWordList(dir);
    for (auto _ : state) {
        Sheet sheet;
        Problems problems;
        const std::optional<BookDraft> draft = BookImporter().Prepare(request, sheet, problems);
        if (!draft || draft->keywords.size() != static_cast<std::size_t>(SheetLimits::MaxRows))
            state.SkipWithError("the largest sheet was not taken");
    }
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_mb"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

BENCHMARK(ReadTheLargestSheet)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
