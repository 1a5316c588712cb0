// Exporting 40 prints of 30 sub-questions each (the bundled English book,
// ten per question format) to each export format, from the model to the
// finished file, against writing the same number of bytes to a file the
// same way. One run each; the goal is within 3 times the plain write.
#include "model/DataBase.h"
#include "platformexport/ExportSet.h"
#include "platformexport/PrintExporter.h"
#include "quiz/Model.h"
#include "support/FilledPrints.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int PrintCount = 40;
constexpr int PerFormat = 10;

// What a running program has done before its first export: the string
// table read, the converters for external characters opened, a second
// thread started once (its memory arena made). Two prints rendered in
// every format, untimed, so that the runs below measure the export and not
// the process's first use of these.
void WarmUp(const Model& model)
{
    ExportSet one = ExportSet::FromModel(model);
    one.prints.resize(2);
    for (const ExportFormat::Kind format : {ExportFormat::kSelfCheckPage, ExportFormat::kMoodleXml, ExportFormat::kGift,
             ExportFormat::kQtiPackage, ExportFormat::kAnswerKey}) {
        QString error;
        PrintExporter::Render(one, format, &error);
    }
}

Model& LoadedModel()
{
    static Model model;
    static const bool loaded = [] {
        model.Db().SetUserEnabled(false);
        if (!model.LoadBooks({QStringLiteral(TV_TEST_DATA_DIR "/eitango101_main.db")}))
            return false;
        FillPrints(model, PrintCount, PerFormat);
        WarmUp(model);
        return true;
    }();
    if (!loaded)
        qFatal("the bundled English book does not load");
    return model;
}

QTemporaryDir& Folder()
{
    static QTemporaryDir dir;
    return dir;
}

const char* const Extensions[] = {"html", "xml", "gift", "zip", "csv"};

void BM_Export(benchmark::State& state)
{
    const QString path = Folder().filePath(QStringLiteral("prints.") + QLatin1String(Extensions[state.range(0)]));
    Model& model = LoadedModel();
    for (auto _ : state) {
        QString error;
        const ExportSet set = ExportSet::FromModel(model);
        if (PrintExporter::Export(set, path, &error) != PrintExporter::kWritten)
            state.SkipWithError(error.toStdString().c_str());
    }
    state.SetLabel(Extensions[state.range(0)]);
    state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
    state.counters["items"] = PrintCount * PerFormat * 3;
}
BENCHMARK(BM_Export)->DenseRange(0, 4)->Iterations(1)->Unit(benchmark::kMillisecond);

// The floor: as many bytes as the export made, written the same way.
void BM_WriteSameBytes(benchmark::State& state)
{
    const QString exported = Folder().filePath(QStringLiteral("prints.") + QLatin1String(Extensions[state.range(0)]));
    const QString path = Folder().filePath(QStringLiteral("plain.bin"));
    const QByteArray bytes(QFileInfo(exported).size(), 'x');
    for (auto _ : state) {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            state.SkipWithError("cannot write");
    }
    state.SetLabel(Extensions[state.range(0)]);
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_WriteSameBytes)->DenseRange(0, 4)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
