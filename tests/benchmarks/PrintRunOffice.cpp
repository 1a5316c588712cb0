// Whole print runs into a real headless office through both creators:
// the same command list (state.range(0) prints of 20 sentences, questions
// and answers) written by the Ichitaro creator and by the Word creator,
// into the horizontal and the vertical template. The office is started
// before timing; each run makes its document from the template, and the
// document is closed again outside the timing.
//
// Then a teacher's print run of the model as the window starts it (3 prints of 5 question
// formats with 10 sub-questions each, filled by the automatic selection and
// named after three classes):
// by the Word creator with the views locked and unlocked, and by the
// Ichitaro creator, horizontal and vertical, each phase of the creator
// timed, set against the floor of the same office: opening the finished
// document and exporting it as PDF. All give the office's processor time
// per run (office_cpu_ms) beside their own, which a busy machine changes
// less than the time on the clock, and the messages sent to the office per
// run (office_calls: each call, and each reference let go of, is one).
#include "automation/AutomationError.h"
#include "automation/ClassRegistry.h"
#include "automation/WordConstants.h"
#include "automation/office/OfficeBackends.h"
#include "automation/office/OfficeSession.h"
#include "automation/office/TaroApplication.h"
#include "automation/office/TaroDocument.h"
#include "automation/office/UnoStrings.h"
#include "automation/office/WriterApplication.h"
#include "automation/office/WriterDocument.h"
#include "export/PrintJob.h"
#include "export/PrintRequest.h"
#include "model/NodeStorage.h"
#include "print/CreatorTaro.h"
#include "print/CreatorWord.h"
#include "quiz/Model.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include <benchmark/benchmark.h>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include <array>
#include <chrono>
#include <set>
#include <tuple>

#include <atomic>

#include <dlfcn.h>
#include <sys/socket.h>
#include <unistd.h>

// Every message to the office leaves through the connection's socket: the
// benchmark counts them by standing in for the C library's send.
namespace {
std::atomic<long> messagesSent{0};
} // namespace

extern "C" ssize_t send(int socket, const void* buffer, size_t length, int flags)
{
    using Send = ssize_t (*)(int, const void*, size_t, int);
    static const auto next = reinterpret_cast<Send>(dlsym(RTLD_NEXT, "send"));
    messagesSent.fetch_add(1, std::memory_order_relaxed);
    return next(socket, buffer, length, flags);
}

namespace {

using rtl::OUString;

using namespace Print;

void Add(CmdList& list, int kind, const QString& text = {})
{
    list.push_back(std::make_shared<Cmd>(Cmd{kind, text}));
}

CmdList Prints(int prints)
{
    CmdList list;
    for (const bool answers : {false, true}) {
        if (answers)
            Add(list, NewPage);
        for (int p = 1; p <= prints; ++p) {
            if (p > 1)
                Add(list, NewPage);
            Add(list, PrintId, QString::number(p));
            Add(list, NewParagraph);
            Add(list, PageHeader);
            Add(list, QuestionHead, QStringLiteral("1"));
            Add(list, Text, QStringLiteral("次の英文を日本語にしなさい。"));
            Add(list, NewParagraph);
            for (int s = 1; s <= 20; ++s) {
                Add(list, ItemNumber, QString::number(s));
                Add(list, Text, QStringLiteral("I have lived here for "));
                Add(list, UnderlinedText, QStringLiteral("10 years"));
                Add(list, Text, QStringLiteral(" (H"));
                Add(list, SubscriptText, QStringLiteral("2"));
                Add(list, Text, QStringLiteral("O)."));
                Add(list, NewParagraph);
                Add(list, AnswerNumber, QString::number(s));
                Add(list, Text,
                    answers ? QStringLiteral("私はここに10年住んでいる。") : QStringLiteral("（　　　　）"));
                Add(list, NewParagraph);
            }
        }
    }
    return list;
}

QString Template(bool vertical, const char* extension)
{
    return QStringLiteral(TV_TEST_DATA_DIR "/template/")
        + (vertical ? QStringLiteral("縦書き標準") : QStringLiteral("横書き標準")) + QLatin1String(extension);
}

// The processor time the benchmark's office has taken so far, in
// milliseconds (every process whose command line names its profile
// folder), and the messages sent to it. Together with the benchmark's own
// processor time it tells the work done apart from the waiting a busy
// machine adds.
struct OfficeUse {
    double cpuMilliseconds = 0;
    double messages = 0;
};

OfficeUse OfficeUseSoFar()
{
    static const QByteArray profile = QByteArrayLiteral(TV_BUILD_DIR "/test-home/bench-office-profile");
    static const double ticks = static_cast<double>(sysconf(_SC_CLK_TCK));
    OfficeUse use;
    use.messages = static_cast<double>(messagesSent.load());
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!cmdline.open(QIODevice::ReadOnly) || !cmdline.readAll().contains(profile))
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // The fields after the command name (which is in parentheses): utime and stime are the 12th and 13th.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 12)
            use.cpuMilliseconds += (fields[11].toDouble() + fields[12].toDouble()) * 1000.0 / ticks;
    }
    return use;
}

// Counts the office's use over the runs of a benchmark.
class OfficeUseCounter {
public:
    OfficeUseCounter()
        : m_before(OfficeUseSoFar())
    {
    }
    void Report(benchmark::State& state, int runs) const
    {
        const OfficeUse now = OfficeUseSoFar();
        state.counters["office_cpu_ms"] = (now.cpuMilliseconds - m_before.cpuMilliseconds) / std::max(runs, 1);
        state.counters["office_calls"] = (now.messages - m_before.messages) / std::max(runs, 1);
    }

private:
    OfficeUse m_before;
};

// The applications the creators make are kept, so that their documents
// can be closed between runs.
std::vector<std::shared_ptr<Office::TaroApplication>> taroApplications;
std::vector<std::shared_ptr<Office::WriterApplication>> wordApplications;

void CloseDocuments()
{
    for (const auto& application : taroApplications)
        if (const auto document = application->ActiveDocument())
            document->Close();
    for (const auto& application : wordApplications) {
        try {
            application->CloseDocuments(static_cast<int>(Word::wdDoNotSaveChanges));
        } catch (const Automation::AutomationError&) {
            // the application has quit (the availability probe), nothing is open in it
        }
    }
    taroApplications.clear();
    wordApplications.clear();
}

template <class Creator>
void Run(benchmark::State& state, const char* extension)
{
    const CmdList commands = Prints(static_cast<int>(state.range(0)));
    const QString path = Template(state.range(1) != 0, extension);
    Office::OfficeSession::Shared()->Desktop("bench"); // the office is running before timing
    Creator creator;
    int runs = 0;
    const OfficeUseCounter office; // closing the documents included
    for (auto _ : state) {
        if (!creator.Create(commands, path, QStringLiteral("単語テスト"), QStringLiteral("Lesson 1")))
            state.SkipWithError("the print run failed");
        ++runs;
        state.PauseTiming();
        CloseDocuments();
        state.ResumeTiming();
    }
    office.Report(state, runs);
    state.counters["commands"] = static_cast<double>(commands.size());
}

void BM_TaroPrintRun(benchmark::State& state)
{
    Run<CreatorTaro>(state, ".jtt");
}
BENCHMARK(BM_TaroPrintRun)->ArgsProduct({{1, 5}, {0, 1}})->Iterations(2)->Unit(benchmark::kMillisecond);

void BM_WordPrintRun(benchmark::State& state)
{
    Run<CreatorWord>(state, ".dot");
}
BENCHMARK(BM_WordPrintRun)->ArgsProduct({{1, 5}, {0, 1}})->Iterations(2)->Unit(benchmark::kMillisecond);

// While set, the Word applications made for the creators never hide: their
// documents keep their views unlocked while being written.
bool keepViewsUnlocked = false;

// A Word application whose documents stay visible, views unlocked.
class UnlockedWriterApplication : public Office::WriterApplication {
public:
    using WriterApplication::WriterApplication;
    void PutVisible(bool) override { WriterApplication::PutVisible(true); }
};

// A creator with the time of each of its steps kept, per command kind and
// for the steps around the commands.
template <class Base>
class TimedCreator : public Base {
public:
    std::array<double, 13> commandSeconds{};
    std::array<int, 13> commandCount{};
    double openSeconds = 0;
    double placeholderSeconds = 0;
    double completeSeconds = 0;
    double uprightSeconds = 0;
    double finishSeconds = 0;

    void ResetTimes()
    {
        commandSeconds = {};
        commandCount = {};
        openSeconds = placeholderSeconds = completeSeconds = uprightSeconds = finishSeconds = 0;
    }
    int CommandCount() const
    {
        int total = 0;
        for (const int count : commandCount)
            total += count;
        return total;
    }

protected:
    bool Open(const QString& templatePath) override
    {
        return Timed(openSeconds, [&] { return Base::Open(templatePath); });
    }
    bool WriteCommand(const Cmd& command) override
    {
        const bool known = command.kind > 0 && command.kind < static_cast<int>(commandSeconds.size());
        double ignored = 0;
        if (known)
            ++commandCount[command.kind];
        return Timed(known ? commandSeconds[command.kind] : ignored, [&] { return Base::WriteCommand(command); });
    }
    bool SetTitle(const QString& title) override
    {
        return Timed(placeholderSeconds, [&] { return Base::SetTitle(title); });
    }
    bool SetRange(const QString& rangeText) override
    {
        return Timed(placeholderSeconds, [&] { return Base::SetRange(rangeText); });
    }
    bool Complete() override
    {
        return Timed(completeSeconds, [&] { return Base::Complete(); });
    }
    void MakeDigitsUpright() override
    {
        Timed(uprightSeconds, [&] {
            Base::MakeDigitsUpright();
            return true;
        });
    }
    void Finish() override
    {
        Timed(finishSeconds, [&] {
            Base::Finish();
            return true;
        });
    }

private:
    template <class Step>
    static bool Timed(double& seconds, Step&& step)
    {
        const auto started = std::chrono::steady_clock::now();
        const bool done = step();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        return done;
    }
};

// A generated book with five question formats (the sample books have
// three), made once in a temporary folder.
QString FiveFormatBook()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath(QStringLiteral("five_main.db"));
        const int exit = QProcess::execute(QStringLiteral("python3"),
            {QStringLiteral(TV_SOURCE_DIR "/tools/generate_book.py"), QStringLiteral("--questions"),
                QStringLiteral("5"), QStringLiteral("--keywords"), QStringLiteral("1000"),
                QStringLiteral("--sentences"), QStringLiteral("10000"), file});
        return exit == 0 ? file : QString();
    }();
    return path;
}

// The model of a teacher who has filled 3 prints of every format of that
// book with 10 sub-questions each; empty when that cannot be done.
std::unique_ptr<Model>& FilledModel()
{
    static std::unique_ptr<Model> model = []() -> std::unique_ptr<Model> {
        const QString book = FiveFormatBook();
        auto made = std::make_unique<Model>();
        if (book.isEmpty() || !made->LoadBooks({book})) {
            qWarning("The generated book %s could not be loaded", qPrintable(book));
            return nullptr;
        }
        made->SetRange(Ranges(2, {{1, 1000}})); // every keyword, by its number
        std::vector<int> qids;
        AutoSelectOptions options;
        options.printCount = 3;
        // Named after their classes, as a teacher's prints for three classes are.
        options.classNames = {QStringLiteral("1年A組"), QStringLiteral("1年B組"), QStringLiteral("1年C組")};
        for (int qid = 1; qid <= 5; ++qid) {
            qids.push_back(qid);
            options.counts.emplace_back(made->Storage().QuestionPool().Find(qid), 10);
        }
        made->SetQuestions(qids);
        std::array<bool, 2> warnings{};
        const int result = made->AutoSelect(options, warnings);
        if (result != Model::kAutoSelectOk && result != Model::kAutoSelectWarnings) {
            qWarning("The automatic selection failed with %d", result);
            return nullptr;
        }
        return made;
    }();
    return model;
}

// One print run of the model into the template, as the window starts it:
// on a thread of its own, the event loop waiting for its end.
bool RunPrints(Model& model, const QString& templatePath)
{
    PrintJob job(PrintRequest::FromModel(model, templatePath));
    job.Start();
    return job.Wait() == PrintJob::Outcome::Succeeded;
}

// One print run of the model into the template, the document closed again.
bool RunModelOnce(Model& model, const QString& templatePath)
{
    const bool done = RunPrints(model, templatePath);
    CloseDocuments();
    return done;
}

// A print run of the filled model by the creator registered as `type`
// (timed by phases), into the horizontal or the vertical template.
template <class Creator>
void ModelRun(benchmark::State& state, int type, const char* extension, bool vertical, bool viewsLocked)
{
    auto& model = FilledModel();
    if (!model) {
        state.SkipWithError("the five-format book could not be made or filled");
        return;
    }
    const QString path = Template(vertical, extension);
    keepViewsUnlocked = !viewsLocked;
    Office::OfficeSession::Shared()->Desktop("bench");
    auto creator = std::make_shared<TimedCreator<Creator>>();
    model->RegisterCreator(type, creator);
    static std::set<std::tuple<int, bool, bool, bool>> warmedUp;
    const bool routines = Office::OfficeSession::Shared()->RoutinesAllowed();
    if (!model->SetApplication(type)
        || (warmedUp.insert({type, vertical, viewsLocked, routines}).second && !RunModelOnce(*model, path))) {
        keepViewsUnlocked = false;
        state.SkipWithError("the warm-up print run failed");
        return;
    }
    creator->ResetTimes();
    int runs = 0;
    const OfficeUseCounter office; // closing the documents included
    for (auto _ : state) {
        if (!RunPrints(*model, path))
            state.SkipWithError("the print run failed");
        ++runs;
        state.PauseTiming();
        CloseDocuments();
        state.ResumeTiming();
    }
    office.Report(state, runs);
    keepViewsUnlocked = false;
    const auto perRun = [runs](double seconds) { return seconds * 1000.0 / std::max(runs, 1); };
    state.counters["commands"] = creator->CommandCount() / std::max(runs, 1);
    state.counters["open_ms"] = perRun(creator->openSeconds);
    state.counters["text_ms"] = perRun(creator->commandSeconds[Text]);
    state.counters["underline_ms"] = perRun(creator->commandSeconds[UnderlinedText]);
    state.counters["subscript_ms"] = perRun(creator->commandSeconds[SubscriptText]);
    state.counters["gaiji_ms"] = perRun(creator->commandSeconds[ExternalChar]);
    state.counters["numbers_ms"] = perRun(creator->commandSeconds[QuestionHead] + creator->commandSeconds[ItemNumber]
        + creator->commandSeconds[AnswerNumber] + creator->commandSeconds[PrintId]);
    state.counters["paragraphs_ms"] = perRun(
        creator->commandSeconds[NewParagraph] + creator->commandSeconds[LineBreak] + creator->commandSeconds[NewPage]);
    state.counters["header_ms"] = perRun(creator->commandSeconds[PageHeader]);
    state.counters["placeholders_ms"] = perRun(creator->placeholderSeconds);
    state.counters["complete_ms"] = perRun(creator->completeSeconds);
    state.counters["upright_ms"] = perRun(creator->uprightSeconds);
    state.counters["finish_ms"] = perRun(creator->finishSeconds);
}

// state.range(0): 1 for the vertical template; state.range(1): 1 with the
// views locked as the creator leaves them, 0 with them unlocked.
void BM_ModelPrintRun(benchmark::State& state)
{
    ModelRun<CreatorWord>(state, Model::kWord, ".dot", state.range(0) != 0, state.range(1) != 0);
}
BENCHMARK(BM_ModelPrintRun)->ArgsProduct({{0, 1}, {1, 0}})->Iterations(1)->Unit(benchmark::kMillisecond);

// The same print run by the Ichitaro creator, whose documents are hidden
// and not repainted while written. state.range(0): 1 for the vertical
// template; state.range(1): 1 with the office's routines, 0 with every step
// a call of its own (as to an office that cannot run them).
void BM_ModelPrintRunTaro(benchmark::State& state)
{
    const auto session = Office::OfficeSession::Shared();
    session->SetRoutinesAllowed(state.range(1) != 0);
    ModelRun<CreatorTaro>(state, Model::kIchitaro, ".jtt", state.range(0) != 0, true);
    session->SetRoutinesAllowed(true);
}
BENCHMARK(BM_ModelPrintRunTaro)->ArgsProduct({{0, 1}, {1, 0}})->Iterations(1)->Unit(benchmark::kMillisecond);

css::beans::PropertyValue Property(const char* name, const css::uno::Any& value)
{
    css::beans::PropertyValue property;
    property.Name = OUString::createFromAscii(name);
    property.Value = value;
    return property;
}

OUString FileUrl(const QString& path)
{
    return Office::ToOUString(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded));
}

void Store(const css::uno::Reference<css::uno::XInterface>& document, const OUString& url, const char* filter)
{
    css::uno::Sequence<css::beans::PropertyValue> args(2);
    args[0] = Property("FilterName", css::uno::Any(OUString::createFromAscii(filter)));
    args[1] = Property("Overwrite", css::uno::Any(true));
    css::uno::Reference<css::frame::XStorable>(document, css::uno::UNO_QUERY_THROW)->storeToURL(url, args);
}

// The floor: the same office opening the finished print run (saved as
// .odt beforehand) and exporting it as PDF. state.range(0): 1 for the
// vertical template.
void BM_OpenAndExportPdf(benchmark::State& state)
{
    auto& model = FilledModel();
    if (!model) {
        state.SkipWithError("the five-format book could not be made or filled");
        return;
    }
    QTemporaryDir dir;
    const OUString odt = FileUrl(dir.filePath(QStringLiteral("prints.odt")));
    const OUString pdf = FileUrl(dir.filePath(QStringLiteral("prints.pdf")));
    model->RegisterCreator(Model::kWord, std::make_shared<CreatorWord>());
    if (!model->SetApplication(Model::kWord) || !RunPrints(*model, Template(state.range(0) != 0, ".dot"))
        || wordApplications.empty() || wordApplications.back()->OpenDocuments().empty()) {
        CloseDocuments();
        state.SkipWithError("the print run failed");
        return;
    }
    Store(wordApplications.back()->OpenDocuments().back()->Model(), odt, "writer8");
    CloseDocuments();
    const auto desktop = Office::OfficeSession::Shared()->Desktop("bench");
    css::uno::Sequence<css::beans::PropertyValue> load(1);
    load[0] = Property("Hidden", css::uno::Any(true));
    const auto openAndExport = [&] {
        const auto document = desktop->loadComponentFromURL(odt, OUString("_blank"), 0, load);
        Store(document, pdf, "writer_pdf_Export");
        return document;
    };
    const auto close = [](const css::uno::Reference<css::lang::XComponent>& document) {
        css::uno::Reference<css::util::XCloseable>(document, css::uno::UNO_QUERY_THROW)->close(true);
    };
    static std::set<int64_t> warmedUp;
    if (warmedUp.insert(state.range(0)).second)
        close(openAndExport());
    const OfficeUseCounter office; // closing the documents included
    int runs = 0;
    for (auto _ : state) {
        ++runs;
        const auto document = openAndExport();
        state.PauseTiming();
        close(document);
        state.ResumeTiming();
    }
    office.Report(state, runs);
    state.counters["pdf_bytes"] = static_cast<double>(QFileInfo(dir.filePath(QStringLiteral("prints.pdf"))).size());
}
BENCHMARK(BM_OpenAndExportPdf)->DenseRange(0, 1)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Office::OfficeSession::Options options;
    options.headless = true;
    options.profileDir = QStringLiteral(TV_BUILD_DIR "/test-home/bench-office-profile");
    Office::OfficeSession::ConfigureShared(options);
    Office::RegisterBackends();
    Automation::ClassRegistry::Register(QStringLiteral("JXW.Application"), [] {
        auto application = Office::TaroApplication::Create(Office::OfficeSession::Shared());
        taroApplications.push_back(application);
        return std::static_pointer_cast<Automation::Object>(application);
    });
    Automation::ClassRegistry::Register(QStringLiteral("Word.Application"), [] {
        auto application = keepViewsUnlocked
            ? std::make_shared<UnlockedWriterApplication>(Office::OfficeSession::Shared())
            : Office::WriterApplication::Create(Office::OfficeSession::Shared());
        wordApplications.push_back(application);
        return std::static_pointer_cast<Automation::Object>(application);
    });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    FilledModel().reset();
    CloseDocuments();
    Office::OfficeSession::Shared()->Terminate();
    return 0;
}
