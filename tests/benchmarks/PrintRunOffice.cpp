// Whole print runs into a real headless office through both creators:
// the same command list (state.range(0) prints of 20 sentences, questions
// and answers) written by the Ichitaro creator and by the Word creator,
// into the horizontal and the vertical template. The office is started
// before timing; each run makes its document from the template, and the
// document is closed again outside the timing.
#include "automation/ClassRegistry.h"
#include "automation/WordConstants.h"
#include "automation/office/OfficeBackends.h"
#include "automation/office/OfficeSession.h"
#include "automation/office/TaroApplication.h"
#include "automation/office/TaroDocument.h"
#include "automation/office/WriterApplication.h"
#include "print/CreatorTaro.h"
#include "print/CreatorWord.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {

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
                Add(list, Text, answers ? QStringLiteral("私はここに10年住んでいる。") : QStringLiteral("（　　　　）"));
                Add(list, NewParagraph);
            }
        }
    }
    return list;
}

QString Template(bool vertical, const char* extension)
{
    return QStringLiteral(TV_TEST_DATA_DIR "/template/") +
           (vertical ? QStringLiteral("縦書き標準") : QStringLiteral("横書き標準")) + QLatin1String(extension);
}

// The applications the creators make are kept, so that their documents
// can be closed between runs.
std::vector<std::shared_ptr<Office::TaroApplication>> taroApplications;
std::vector<std::shared_ptr<Office::WriterApplication>> wordApplications;

void CloseDocuments()
{
    for (const auto& application : taroApplications)
        if (const auto document = application->ActiveDocument())
            document->Close();
    for (const auto& application : wordApplications)
        application->CloseDocuments(static_cast<int>(Word::wdDoNotSaveChanges));
    taroApplications.clear();
    wordApplications.clear();
}

template<class Creator>
void Run(benchmark::State& state, const char* extension)
{
    const CmdList commands = Prints(static_cast<int>(state.range(0)));
    const QString path = Template(state.range(1) != 0, extension);
    Office::OfficeSession::Shared()->Desktop("bench"); // the office is running before timing
    Creator creator;
    for (auto _ : state) {
        if (!creator.Create(commands, path, QStringLiteral("単語テスト"), QStringLiteral("Lesson 1")))
            state.SkipWithError("the print run failed");
        state.PauseTiming();
        CloseDocuments();
        state.ResumeTiming();
    }
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
        auto application = Office::WriterApplication::Create(Office::OfficeSession::Shared());
        wordApplications.push_back(application);
        return std::static_pointer_cast<Automation::Object>(application);
    });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    CloseDocuments();
    Office::OfficeSession::Shared()->Terminate();
    return 0;
}
