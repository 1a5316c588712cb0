#include "app/PrintCommandLine.h"

#include "app/TerminationSignals.h"
#include "desktop/GaijiFont.h"
#include "desktop/TextFormat.h"
#include "export/OutputFile.h"
#include "export/OutputFormat.h"
#include "export/PrintJob.h"
#include "export/RunLimits.h"
#include "history/HistoryRecorder.h"
#include "history/HistoryReport.h"
#include "history/HistoryStore.h"
#include "model/DataBase.h"
#include "model/StopRequest.h"
#include "platformexport/ExportSet.h"
#include "platformexport/PrintExporter.h"
#include "print/Creator.h"
#include "print/Templ.h"
#include "print/TemplateLinks.h"
#include "quiz/Model.h"
#include "quiz/ModelSerializer.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "ui/PrintRunControl.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

#include <array>
#include <cstdio>

namespace {

const QString PrintToOption = QStringLiteral("--print-to");
const QString ExportToOption = QStringLiteral("--export-to");
const QString TemplateOption = QStringLiteral("--template");
const QString AutoSelectOption = QStringLiteral("--auto-select");
const QString HelpOption = QStringLiteral("--help");
const QString VersionOption = QStringLiteral("--version");
const QString HistoryOption = QStringLiteral("--history");
const QString CsvOption = QStringLiteral("--csv");

constexpr int FirstStopCode = 101;

void WriteLine(FILE* stream, const QString& text)
{
    std::fputs(text.toUtf8().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

QString Text(int id, std::initializer_list<FormatArg> args = {})
{
    return FormatText(Res::String(id), args);
}

} // namespace

// Every long option is the command line's: one it does not know is
// answered with the usage, not by opening the window. Qt's own options
// ("-platform", "-style") have a single dash.
bool PrintCommandLine::Applies(const QStringList& arguments)
{
    for (const QString& argument : arguments.mid(1)) {
        if (argument.startsWith(QLatin1String("--")) || argument == QLatin1String("-h"))
            return true;
    }
    return false;
}

PrintCommandLine::PrintCommandLine(const Path& path, Application::CreatorSource creators)
    : m_path(path)
    , m_creators(std::move(creators))
    , m_stallLimitMs(PrintJob::DefaultStallLimitMs)
{
}

int PrintCommandLine::Run(const QStringList& arguments)
{
    Options options;
    QString error;
    if (!Parse(arguments, options, &error)) {
        Fail(kBadUsage, Text(Res::IDS_CLI_BAD_USAGE, {error}));
        WriteLine(stderr, Res::String(Res::IDS_CLI_USAGE));
        return kBadUsage;
    }
    if (options.help) {
        WriteLine(stdout, Res::String(Res::IDS_CLI_USAGE));
        return kSucceeded;
    }
    if (options.version) {
        WriteLine(stdout, QStringLiteral("tavisko " TV_VERSION));
        return kSucceeded;
    }
    if (!options.exportFile.isEmpty()) {
        if (!options.file.isEmpty() || options.history)
            return Fail(kBadUsage, Text(Res::IDS_CLI_BAD_USAGE, {ExportToOption}));
        if (!options.templateName.isEmpty())
            return Fail(kBadUsage, Res::String(Res::IDS_CLI_EXPORT_TEMPLATE));
        return ExportTo(options);
    }
    if (options.csv && !options.history)
        return Fail(kBadUsage, Text(Res::IDS_CLI_BAD_USAGE, {CsvOption}));
    if (options.history) {
        if (!options.file.isEmpty() || options.autoSelect || !options.templateName.isEmpty())
            return Fail(kBadUsage, Text(Res::IDS_CLI_BAD_USAGE, {HistoryOption}));
        return History(options.csv);
    }
    if (options.file.isEmpty())
        return Fail(kBadUsage, Text(Res::IDS_CLI_BAD_USAGE, {PrintToOption}));
    return PrintTo(options);
}

bool PrintCommandLine::Parse(const QStringList& arguments, Options& options, QString* error) const
{
    for (int i = 1; i < arguments.size(); ++i) {
        QString option = arguments[i];
        QString value;
        const bool inlineValue = option.startsWith(QLatin1String("--")) && option.contains(QLatin1Char('='));
        if (inlineValue) {
            value = option.section(QLatin1Char('='), 1);
            option = option.section(QLatin1Char('='), 0, 0);
        }
        const bool takesValue = option == PrintToOption || option == ExportToOption || option == TemplateOption;
        if (takesValue && !inlineValue) {
            if (i + 1 >= arguments.size()) {
                *error = option;
                return false;
            }
            value = arguments[++i];
        }
        if (option == PrintToOption)
            options.file = value;
        else if (option == ExportToOption)
            options.exportFile = value;
        else if (option == TemplateOption)
            options.templateName = value;
        else if (option == AutoSelectOption && !inlineValue)
            options.autoSelect = true;
        else if ((option == HelpOption || option == QLatin1String("-h")) && !inlineValue)
            options.help = true;
        else if (option == VersionOption && !inlineValue)
            options.version = true;
        else if (option == HistoryOption && !inlineValue)
            options.history = true;
        else if (option == CsvOption && !inlineValue)
            options.csv = true;
        else {
            *error = arguments[i];
            return false;
        }
        if (takesValue && value.isEmpty()) {
            *error = option;
            return false;
        }
    }
    return true;
}

int PrintCommandLine::PrintTo(const Options& options)
{
    const QString format = OutputFormat::OfFile(options.file);
    if (format.isEmpty())
        return Fail(kBadUsage,
            Text(Res::IDS_CLI_UNKNOWN_FORMAT, {options.file, OutputFormat::Extensions().join(QLatin1Char(' '))}));

    // A termination signal (SIGTERM, Ctrl+C) cancels the run: the office
    // this run started is ended and no temporary file is left behind, as
    // after any failure; the status says it was cancelled.
    PrintJob* running = nullptr;
    const TerminationSignals termination([&running](int) {
        if (running)
            running->Cancel();
    });

    // Runs share the office profile, and a run ends its office when done:
    // a second run waits for the first instead of failing under it.
    QLockFile turn(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/morvane-k/tavisko/print-to.lock"));
    if (const int status = WaitForTurn(turn); status != kSucceeded)
        return status;

    // Before anything asks which fonts are installed or starts the office,
    // so that external characters are printed in their own font.
    GaijiFont::InstallForPrinting(m_path.ProgramFolder());
    Model model;
    if (m_creators) {
        for (auto& [type, creator] : m_creators())
            model.RegisterCreator(type, std::move(creator));
    }
    if (const int status = InitializeModel(model); status != kSucceeded)
        return status;

    int type = 0;
    QString templatePath;
    if (const int status = ChooseTemplate(model, options.templateName, type, templatePath); status != kSucceeded)
        return status;
    if (const int status = RestoreSelection(model, options.autoSelect); status != kSucceeded)
        return status;

    PrintRequest request = PrintRequest::FromModel(model, templatePath, type);
    const RunLimits::Verdict verdict = RunLimits::Check(request.commands, request.title, request.rangeText);
    if (!verdict.Allowed())
        return Fail(kRunFailed, PrintRunControl::TooLargeMessage(verdict));

    OutputFile output(options.file);
    QString error;
    if (!output.Prepare(&error))
        return Fail(kCannotWrite, Text(Res::IDS_CLI_CANNOT_WRITE, {error}));
    request.destination = {output.TemporaryPath(), format};
    if (StopRequest::Pending())
        return Fail(kCancelled, Res::String(Res::IDS_PRINT_CANCELLED));
    RunRecord record = request.record;
    const QString linkNotice = Print::TemplateLinks::Notice(Print::TemplateLinks::Find(request.templatePath));
    PrintJob job(std::move(request));
    job.SetStallLimit(m_stallLimitMs);
    running = &job;
    job.Start();
    const PrintJob::Outcome outcome = job.Wait();
    running = nullptr;
    if (outcome == PrintJob::Outcome::Cancelled || StopRequest::Pending())
        return Fail(kCancelled, Res::String(Res::IDS_PRINT_CANCELLED));
    if (outcome != PrintJob::Outcome::Succeeded)
        return Fail(kRunFailed, job.Failure().Message(), LineBreaks::Kept);
    if (!output.Commit(&error))
        return Fail(kCannotWrite, Text(Res::IDS_CLI_CANNOT_WRITE, {error}));
    if (!linkNotice.isEmpty())
        WriteLine(stderr, linkNotice);
    record.output = QFileInfo(options.file).absoluteFilePath();
    Record(record);
    return kSucceeded;
}

void PrintCommandLine::Record(const RunRecord& record) const
{
    HistoryRecorder(m_path.HistoryDatabasePath(), [](int id, const QString& argument) {
        WriteLine(stderr, Text(id, {argument}));
    }).Record(record);
}

// The record of print runs on standard output; it reads the history file
// only, so no book, office or display is needed.
int PrintCommandLine::History(bool csv)
{
    HistoryStore store(m_path.HistoryDatabasePath());
    QFile out;
    out.open(stdout, QIODevice::WriteOnly);
    QString error;
    const bool written
        = csv ? HistoryReport::WriteCsv(store, out, false, &error) : HistoryReport::WriteList(store, out, &error);
    out.close();
    if (!written)
        return Fail(kNoHistory, Text(Res::IDS_CLI_HISTORY_UNREADABLE, {error}));
    return kSucceeded;
}

int PrintCommandLine::WaitForTurn(QLockFile& turn)
{
    QDir().mkpath(QFileInfo(turn.fileName()).absolutePath());
    // Held for the whole run, however long; a lock left by a run that is
    // gone is taken over.
    turn.setStaleLockTime(0);
    if (turn.tryLock(0))
        return kSucceeded;
    if (turn.error() != QLockFile::LockFailedError)
        return kSucceeded; // no place for a lock: run as before
    WriteLine(stderr, QStringLiteral("tavisko: ") + Res::String(Res::IDS_CLI_WAITING_FOR_OTHER));
    QElapsedTimer waited;
    waited.start();
    while (!turn.tryLock(0)) {
        if (StopRequest::Pending())
            return Fail(kCancelled, Res::String(Res::IDS_PRINT_CANCELLED));
        if (waited.elapsed() > kTurnWaitMs)
            return Fail(kRunFailed, Text(Res::IDS_CLI_OTHER_TOO_LONG, {kTurnWaitMs / 60000}));
        QThread::msleep(200);
    }
    return kSucceeded;
}

// The saved selection written in an export format: no office, no fonts,
// no template. A termination signal before the file takes its place
// leaves nothing behind.
int PrintCommandLine::ExportTo(const Options& options)
{
    const QString& file = options.exportFile;
    if (ExportFormat::OfFile(file) == ExportFormat::kNone)
        return Fail(
            kBadUsage, Text(Res::IDS_CLI_UNKNOWN_FORMAT, {file, ExportFormat::Extensions().join(QLatin1Char(' '))}));
    // A termination signal before the file takes its place leaves nothing.
    const TerminationSignals termination([](int) {});
    Model model;
    if (const int status = InitializeModel(model); status != kSucceeded)
        return status;
    if (const int status = RestoreSelection(model, options.autoSelect); status != kSucceeded)
        return status;
    QString error;
    const auto cancelled = [] { return StopRequest::Pending(); };
    switch (PrintExporter::Export(ExportSet::FromModel(model), file, &error, cancelled)) {
    case PrintExporter::kWritten:
        Record(RunRecord::FromModel(model, {}, QFileInfo(file).absoluteFilePath(), RunRecord::Kind::Export));
        return kSucceeded;
    case PrintExporter::kCancelled: return Fail(kCancelled, Res::String(Res::IDS_PRINT_CANCELLED));
    case PrintExporter::kFailed: break;
    }
    return Fail(kCannotWrite, Text(Res::IDS_CLI_CANNOT_WRITE, {error}));
}

int PrintCommandLine::InitializeModel(Model& model)
{
    model.SetTestedKeywords(HistoryStore::TestedKeywords(m_path.HistoryDatabasePath()));
    const int code = model.Initialize(m_path);
    if (code == Model::kInitNoWordProcessor)
        return Fail(kNoOffice, Res::String(Res::IDS_ERR_NO_WORD_PROCESSOR));
    if (code == Model::kInitNoBookFile)
        return Fail(kMissing, Res::String(Res::IDS_ERR_NO_BOOK_DATABASE));
    if (code == Model::kInitNoBook)
        return Fail(kMissing, Res::String(Res::IDS_ERR_LOAD_BOOK_DATABASE));
    if (code >= FirstStopCode)
        return Fail(kMissing, Text(Res::IDS_ERR_APPLICATION, {code}));
    return kSucceeded;
}

// A named template (bundled or the teacher's own; its extension may be
// left off) decides the word processor by its extension; without a name
// the saved template of the saved word processor is used.
int PrintCommandLine::ChooseTemplate(Model& model, const QString& name, int& type, QString& templatePath)
{
    Templ templ(m_path);
    if (name.isEmpty()) {
        type = model.Application();
        templ.Scan(type);
        templ.Select(type, model.ReadTemplateName());
        if (templ.Selected(type).isEmpty())
            return Fail(kMissing, Res::String(Res::IDS_ERR_NO_TEMPLATE));
        templatePath = templ.FullPath(type);
    } else {
        // The saved word processor first, for a name without extension.
        const int saved = model.Application();
        for (int candidate : {saved, saved == Model::kWord ? Model::kIchitaro : Model::kWord}) {
            const bool named = name.endsWith(Templ::Extension(candidate), Qt::CaseInsensitive);
            const bool bare = QFileInfo(name).suffix().isEmpty();
            if (!named && !bare)
                continue;
            templatePath = templ.Locate(candidate, name);
            if (!templatePath.isEmpty()) {
                type = candidate;
                break;
            }
        }
        if (templatePath.isEmpty())
            return Fail(kMissing, Text(Res::IDS_CLI_NO_TEMPLATE, {name}));
    }
    const auto creator = model.Creators().Find(type);
    if (!creator || !creator->IsAvailable())
        return Fail(kNoOffice, Res::String(Res::IDS_ERR_NO_WORD_PROCESSOR));
    return kSucceeded;
}

int PrintCommandLine::RestoreSelection(Model& model, bool autoSelect)
{
    if (!model.Db().UserEnabled() || model.Db().UserInfo(QStringLiteral("dbid")).isEmpty())
        return Fail(kMissing, Res::String(Res::IDS_CLI_NO_SELECTION));
    ModelSerializer(model, model.Db()).Load();
    if (autoSelect) {
        if (model.SelectedQids().empty() || model.CurrentRange().IsEmpty())
            return Fail(kMissing, Res::String(Res::IDS_NEED_FORMAT_AND_RANGE));
        std::array<bool, 2> warnings{false, false};
        switch (model.AutoSelect(model.ReadAutoSelectOptions(), warnings)) {
        case Model::kAutoSelectOk:
        case Model::kAutoSelectWarnings: break;
        case Model::kAutoSelectNoQuestion: return Fail(kRunFailed, Res::String(Res::IDS_ERR_AUTO_SELECT_NO_FORMAT));
        case Model::kAutoSelectTimedOut: return Fail(kRunFailed, Res::String(Res::IDS_ERR_AUTO_SELECT_TIMEOUT));
        default: return Fail(kRunFailed, Res::String(Res::IDS_ERR_AUTO_SELECT));
        }
        if (const std::optional<int> repeats = model.LastRepeats())
            WriteLine(stderr, QStringLiteral("tavisko: ") + Text(Res::IDS_AUTO_SELECT_REPEATS, {*repeats}));
    }
    if (!model.HasSentences())
        return Fail(kMissing, Res::String(Res::IDS_CLI_NOTHING_TO_PRINT));
    return kSucceeded;
}

// One line on standard error, so a script's log shows why.
int PrintCommandLine::Fail(int status, const QString& message, LineBreaks breaks)
{
    if (breaks == LineBreaks::Kept) {
        for (const QString& line : message.split(QLatin1Char('\n')))
            WriteLine(stderr, QStringLiteral("tavisko: ") + line);
        return status;
    }
    QString line = message;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    WriteLine(stderr, QStringLiteral("tavisko: ") + line);
    return status;
}
