// Writing into a real headless office through the Word object model: how
// long the office takes to start, to make a document from a template, and
// to take typed text, paragraphs, pasted header blocks and upright digit
// runs, with the views locked as during a print run and unlocked.
#include "automation/WordApplication.h"
#include "automation/WordConstants.h"
#include "automation/office/OfficeSession.h"
#include "automation/office/WriterApplication.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

std::shared_ptr<Office::OfficeSession> Session()
{
    static std::shared_ptr<Office::OfficeSession> session = [] {
        Office::OfficeSession::Options options;
        options.headless = true;
        options.profileDir = QStringLiteral(TV_BUILD_DIR "/test-home/bench-office-profile");
        return std::make_shared<Office::OfficeSession>(options);
    }();
    return session;
}

const QString kTemplate = QStringLiteral(TV_TEST_DATA_DIR "/template/横書き標準.dot");

void BM_StartOffice(benchmark::State& state)
{
    for (auto _ : state) {
        Session()->Terminate();
        const auto started = std::chrono::steady_clock::now();
        std::shared_ptr<Word::_Application> word = Office::WriterApplication::Create(Session());
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
    }
}
BENCHMARK(BM_StartOffice)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_AddDocumentFromTemplate(benchmark::State& state)
{
    std::shared_ptr<Word::_Application> word = Office::WriterApplication::Create(Session());
    for (auto _ : state) {
        word->GetDocuments()->Add(kTemplate);
        state.PauseTiming();
        word->GetDocuments()->Close(Word::wdDoNotSaveChanges);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddDocumentFromTemplate)->Iterations(10)->Unit(benchmark::kMillisecond);

// One print's worth of writing: 40 sentences of text, paragraphs and a
// header block; state.range(0) is 1 with the views locked (application
// hidden), 0 with them unlocked.
void BM_WritePrint(benchmark::State& state)
{
    std::shared_ptr<Word::_Application> word = Office::WriterApplication::Create(Session());
    word->PutVisible(state.range(0) == 0);
    auto document = word->GetDocuments()->Add(kTemplate);
    auto header = document->Range();
    header->PutEnd(header->GetEnd() - 1);
    auto selection = word->GetSelection();
    auto paragraph = selection->GetParagraphFormat();
    for (auto _ : state) {
        paragraph->PutStyle(QStringLiteral("プリントID"));
        selection->TypeText(QStringLiteral("1"));
        selection->TypeParagraph();
        header->Copy();
        selection->Paste();
        for (int i = 1; i <= 40; ++i) {
            paragraph->PutStyle(QStringLiteral("問題"));
            selection->TypeText(QStringLiteral("(%1)\t").arg(i));
            selection->TypeText(QStringLiteral("I have lived here for 10 years."));
            selection->TypeParagraph();
        }
        selection->InsertBreak(Word::wdPageBreak);
    }
    word->GetDocuments()->Close(Word::wdDoNotSaveChanges);
}
BENCHMARK(BM_WritePrint)->Arg(1)->Arg(0)->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_DigitRunsUpright(benchmark::State& state)
{
    std::shared_ptr<Word::_Application> word = Office::WriterApplication::Create(Session());
    auto document = word->GetDocuments()->Add(kTemplate);
    auto selection = word->GetSelection();
    for (int i = 0; i < 200; ++i)
        selection->TypeText(QStringLiteral("第%1問\r").arg(i));
    for (auto _ : state) {
        // What the creator does: read every character, then mark each run.
        const int end = document->Range()->GetEnd();
        int runStart = -1;
        for (int c = 0; c + 2 <= end; ++c) {
            const QString ch = document->Range(c, c + 1)->GetText();
            const bool digit = ch.size() == 1 && ch.at(0) >= u'0' && ch.at(0) <= u'9';
            if (digit && runStart < 0)
                runStart = c;
            if (!digit && runStart >= 0) {
                document->Range(runStart, c)->PutHorizontalInVertical(Word::wdHorizontalInVerticalResizeLine);
                runStart = -1;
            }
        }
    }
    word->GetDocuments()->Close(Word::wdDoNotSaveChanges);
}
BENCHMARK(BM_DigitRunsUpright)->Iterations(2)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Session()->Terminate();
    return 0;
}
