// The command line without an office: the word processors are stand-ins
// that are missing, fail, or write a few bytes.
#include "app/PrintCommandLine.h"

#include "model/DataBase.h"
#include "model/NodeStorage.h"
#include "model/Question.h"
#include "model/Sentence.h"
#include "quiz/Model.h"
#include "quiz/ModelSerializer.h"
#include "support/FirstSentencePrint.h"
#include "support/RecordingCreator.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString ProgramFolder = QFileInfo(QStringLiteral(TV_TEST_DATA_DIR)).absolutePath();

class PrintCommandLineTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        savedDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("home")).toUtf8());
    }
    void TearDown() override { qputenv("XDG_DATA_HOME", savedDataHome); }

    // One print with one sub-question of the first book, saved.
    void SaveOnePrint()
    {
        Model model;
        model.RegisterCreator(Model::kWord, std::make_shared<RecordingCreator>());
        ASSERT_EQ(model.Initialize(Path(ProgramFolder)), Model::kInitOk);
        ASSERT_TRUE(SelectFirstSentence(model));
        ModelSerializer(model, model.Db()).Save();
    }

    int Run(std::shared_ptr<RecordingCreator> word, const QStringList& arguments)
    {
        PrintCommandLine command(Path(ProgramFolder), [word] {
            return Application::CreatorList{{Model::kWord, word}};
        });
        return command.Run(QStringList{QStringLiteral("tavisko")} + arguments);
    }

    QStringList Files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir dir;
    QByteArray savedDataHome;
};

TEST_F(PrintCommandLineTest, WritesThroughTheSavedTemplatesCreator)
{
    SaveOnePrint();
    auto word = std::make_shared<RecordingCreator>();
    EXPECT_EQ(Run(word, {QStringLiteral("--print-to"), dir.filePath(QStringLiteral("p.docx"))}),
        PrintCommandLine::kSucceeded);
    EXPECT_EQ(word->runs, 1);
    EXPECT_EQ(word->savedFormat, QStringLiteral("docx"));
    EXPECT_TRUE(word->templatePath.endsWith(QStringLiteral(".dot")));
    EXPECT_GT(word->commands.size(), 10u);
    EXPECT_EQ(Files(), QStringList{QStringLiteral("p.docx")});
}

// A word processor that is missing, or that fails in the middle of the
// run, leaves nothing at the target.
TEST_F(PrintCommandLineTest, MissingOrFailingWordProcessorLeavesNoFile)
{
    SaveOnePrint();
    const QString target = dir.filePath(QStringLiteral("p.pdf"));
    EXPECT_EQ(Run(std::make_shared<RecordingCreator>(false), {QStringLiteral("--print-to"), target}),
        PrintCommandLine::kNoOffice);
    auto failing = std::make_shared<RecordingCreator>();
    failing->completes = false;
    EXPECT_EQ(Run(failing, {QStringLiteral("--print-to"), target}), PrintCommandLine::kRunFailed);
    EXPECT_EQ(failing->runs, 1);
    EXPECT_TRUE(Files().isEmpty());
}

// --export-to writes without any word processor (the stand-in is never
// asked), refuses a template and unknown extensions, and leaves nothing
// where it cannot write.
TEST_F(PrintCommandLineTest, ExportToWritesTheSavedPrintsWithoutTheWordProcessor)
{
    SaveOnePrint();
    auto word = std::make_shared<RecordingCreator>(false);
    const QString page = dir.filePath(QStringLiteral("p.html"));
    EXPECT_EQ(Run(word, {QStringLiteral("--export-to"), page}), PrintCommandLine::kSucceeded);
    EXPECT_EQ(word->runs, 0);
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("答え合わせ"));

    EXPECT_EQ(Run(word,
                  {QStringLiteral("--export-to"), dir.filePath(QStringLiteral("k.csv")), QStringLiteral("--template"),
                      QStringLiteral("A")}),
        PrintCommandLine::kBadUsage);
    EXPECT_EQ(
        Run(word, {QStringLiteral("--export-to"), dir.filePath(QStringLiteral("p.pdf"))}), PrintCommandLine::kBadUsage);
    EXPECT_EQ(Run(word, {QStringLiteral("--export-to"), dir.filePath(QStringLiteral("none/p.xml"))}),
        PrintCommandLine::kCannotWrite);
    EXPECT_EQ(Files(), QStringList{QStringLiteral("p.html")});
}

// Every long option, known or not (an unknown one is answered with the
// usage); Qt's single-dash options go to the window.
TEST_F(PrintCommandLineTest, LongOptionsTakeTheCommandLine)
{
    EXPECT_TRUE(PrintCommandLine::Applies({QStringLiteral("tavisko"), QStringLiteral("--bogus")}));
    EXPECT_TRUE(PrintCommandLine::Applies({QStringLiteral("tavisko"), QStringLiteral("--print-to=a.pdf")}));
    EXPECT_TRUE(PrintCommandLine::Applies({QStringLiteral("tavisko"), QStringLiteral("--version")}));
    EXPECT_FALSE(PrintCommandLine::Applies({QStringLiteral("tavisko")}));
    EXPECT_FALSE(PrintCommandLine::Applies({QStringLiteral("tavisko"), QStringLiteral("-style=fusion")}));
    EXPECT_FALSE(PrintCommandLine::Applies({QStringLiteral("--print-to")})); // the program's own name
}

} // namespace
