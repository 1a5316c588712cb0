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
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <unistd.h>

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

    // What `run` writes to standard error.
    template <typename Work>
    static QString StandardError(Work run)
    {
        QTemporaryFile file;
        EXPECT_TRUE(file.open());
        std::fflush(stderr);
        const int saved = dup(2);
        dup2(file.handle(), 2);
        run();
        std::fflush(stderr);
        dup2(saved, 2);
        close(saved);
        file.seek(0);
        return QString::fromUtf8(file.readAll());
    }

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

// 出題済みの語を避ける over 100 keywords (English book, numbers 1 to 100):
// with a look-back of three runs, four runs of 25 share no keyword and the
// fifth takes the first run's again; asked for 30, the sixth takes the 25
// untested and 5 of the oldest run in its look-back, and says so. Named
// classes look back over their own prints only. All read back through
// `tavisko --history --csv`.
TEST_F(PrintCommandLineTest, AutoSelectionAvoidsWhatEachClassWasTestedOnLately)
{
    {
        Model model;
        model.RegisterCreator(Model::kWord, std::make_shared<RecordingCreator>());
        ASSERT_EQ(model.Initialize(Path(ProgramFolder)), Model::kInitOk);
        ASSERT_EQ(model.SelectBook(111), 0);
        model.SetQuestions({1});
        model.SetRange(Ranges(2, {{1, 100}}));
        ASSERT_TRUE(ModelSerializer(model, model.Db()).Save());
        AutoSelectOptions options = model.ReadAutoSelectOptions();
        options.printCount = 1;
        options.counts = {{model.Storage().QuestionPool().Find(1), 25}};
        options.avoidRuns = 3;
        model.WriteAutoSelectOptions(options);
    }
    const auto printRun = [this](int count, int classes) {
        Model settings;
        EXPECT_EQ(settings.Db().OpenUser(Path(ProgramFolder).UserDatabasePath()), 0);
        settings.Db().SetUserInfo(QStringLiteral("autosel_question_counts"), QStringLiteral("1:%1").arg(count));
        settings.Db().SetUserInfo(QStringLiteral("autosel_p_count"), QString::number(classes));
        settings.Db().SetUserInfo(QStringLiteral("autosel_class_names"),
            classes > 1 ? QStringLiteral(R"(["1年A","1年B","1年C"])") : QString());
        auto word = std::make_shared<RecordingCreator>();
        int status = -1;
        const QString said = StandardError([&] {
            status = Run(word,
                {QStringLiteral("--print-to"), dir.filePath(QStringLiteral("p.pdf")), QStringLiteral("--auto-select")});
        });
        EXPECT_EQ(status, PrintCommandLine::kSucceeded) << said.toStdString();
        return said;
    };
    const QString repeats = QStringLiteral("再出題した小問: %1）");
    for (int run = 1; run <= 5; ++run)
        EXPECT_TRUE(printRun(25, 1).contains(repeats.arg(0)));
    EXPECT_TRUE(printRun(30, 1).contains(repeats.arg(5)));
    for (int run = 1; run <= 4; ++run)
        printRun(25, 3);

    QProcess history;
    history.start(ProgramFolder + QStringLiteral("/tavisko"), {QStringLiteral("--history"), QStringLiteral("--csv")});
    ASSERT_TRUE(history.waitForFinished(60000));
    ASSERT_EQ(history.exitCode(), 0) << history.readAllStandardError().toStdString();
    // Run -> class -> its keywords (語ID, the 11th cell; every cell is
    // quoted, none before it holds a comma).
    std::map<int, std::map<QString, std::set<int>>> runs;
    const QStringList lines = QString::fromUtf8(history.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    for (const QString& line : lines.mid(1)) {
        const QStringList cells = QString(line).remove(u'"').split(u',');
        ASSERT_GE(cells.size(), 12) << line.toStdString();
        EXPECT_TRUE(runs[cells[0].toInt()][cells[6]].insert(cells[10].toInt()).second);
    }
    ASSERT_EQ(runs.size(), 10u);
    std::vector<std::set<int>> unnamed;
    std::map<QString, std::vector<std::set<int>>> named;
    for (const auto& [id, classes] : runs) {
        for (const auto& [name, kids] : classes)
            (name.isEmpty() ? unnamed : named[name]).push_back(kids);
    }
    ASSERT_EQ(unnamed.size(), 6u);
    std::set<int> firstFour;
    for (int run = 0; run < 4; ++run) {
        EXPECT_EQ(unnamed[run].size(), 25u);
        firstFour.insert(unnamed[run].begin(), unnamed[run].end());
    }
    EXPECT_EQ(firstFour.size(), 100u);
    EXPECT_EQ(unnamed[4], unnamed[0]);
    ASSERT_EQ(unnamed[5].size(), 30u);
    std::set<int> sixth = unnamed[5];
    for (int kid : unnamed[1])
        EXPECT_EQ(sixth.erase(kid), 1u); // the 25 untested within the look-back
    EXPECT_EQ(sixth.size(), 5u);
    for (int kid : sixth)
        EXPECT_EQ(unnamed[2].count(kid), 1u); // and 5 of the oldest run in it
    ASSERT_EQ(named.size(), 3u);
    for (const auto& [name, prints] : named) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_EQ(prints.size(), 4u);
        std::set<int> all;
        for (const std::set<int>& kids : prints)
            all.insert(kids.begin(), kids.end());
        EXPECT_EQ(all.size(), 100u);
    }
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
