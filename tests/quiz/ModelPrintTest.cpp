#include "ModelFixture.h"

#include "print/Creator.h"
#include "print/Parser.h"
#include "support/RecordingCreator.h"
#include "support/ReadOnlyAccess.h"
#include "quiz/ModelSerializer.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFile>

namespace {

class ModelPrintTest : public ModelFixture {
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        model.RegisterCreator(1, word);
        model.RegisterCreator(2, taro);
        ASSERT_TRUE(model.SetApplication(1));
        ASSERT_TRUE(model.LoadBooks({BuildBook(BookFixture::SmallBookSql())}));
        model.SetQuestions({11});
        Quiz quiz = model.GetQuiz(0);
        quiz.AddSentence(S(51));
        model.SetQuiz(0, quiz);
        model.AddQuiz();
        model.SetRange(Ranges(std::vector<int>{3}));
    }

    void SetPrintOptions(const QString& title, bool showRange)
    {
        PrintOptions options = model.ReadPrintOptions();
        options.title = title;
        options.showRange = showRange;
        model.WritePrintOptions(options);
    }

    // The commands as "kind:text".
    static QStringList Describe(const std::vector<Print::Cmd>& commands)
    {
        QStringList out;
        for (const Print::Cmd& command : commands)
            out << QStringLiteral("%1:%2").arg(command.kind).arg(command.text);
        return out;
    }

    std::shared_ptr<RecordingCreator> word = std::make_shared<RecordingCreator>();
    std::shared_ptr<RecordingCreator> taro = std::make_shared<RecordingCreator>();
};

TEST_F(ModelPrintTest, RunWritesEveryPrintWithTitleAndRangeLine)
{
    SetPrintOptions(QStringLiteral("1学期 小テスト"), true);
    ASSERT_TRUE(model.CreatePrints(QStringLiteral("/templates/A.dot")));
    EXPECT_EQ(word->runs, 1);
    EXPECT_EQ(taro->runs, 0);
    EXPECT_EQ(word->templatePath, QStringLiteral("/templates/A.dot"));
    EXPECT_EQ(word->title, QStringLiteral("1学期 小テスト"));
    EXPECT_EQ(word->rangeText, QStringLiteral("（テスト英単語 1／1-A）"));

    const QStringList questionHalf = {"10:1", "4:", "11:", "1:1", "7:次の日本語を英語にしなさい。", "4:", "2:1",
        "7:りんごを食べる。", "4:", "4:", "4:", "3:1", "7:______", "4:", "5:", "10:2", "4:", "11:", "1:1",
        "7:次の日本語を英語にしなさい。", "4:"};
    const QStringList written = Describe(word->commands);
    ASSERT_EQ(written.size(), 2 * questionHalf.size() + 1);
    EXPECT_EQ(written.mid(0, questionHalf.size()), questionHalf);
    EXPECT_EQ(written[questionHalf.size()], QStringLiteral("5:"));
    EXPECT_EQ(written[questionHalf.size() + 1 + 12], QStringLiteral("7:eat an apple"));
}

TEST_F(ModelPrintTest, RangeLineIsLeftOutWhenTheOptionIsOff)
{
    SetPrintOptions(QString(), false);
    ASSERT_TRUE(model.CreatePrints(QString()));
    EXPECT_EQ(word->rangeText, QString());
    EXPECT_EQ(word->title, QString());
}

TEST_F(ModelPrintTest, RunGoesToTheChosenWordProcessor)
{
    ASSERT_TRUE(model.SetApplication(2));
    EXPECT_EQ(model.Application(), 2);
    ASSERT_TRUE(model.CreatePrints(QStringLiteral("x.jtt")));
    EXPECT_EQ(taro->runs, 1);
    EXPECT_EQ(word->runs, 0);
    taro->completes = false;
    EXPECT_FALSE(model.CreatePrints(QStringLiteral("x.jtt")));
}

// A book may ask for any number of answer lines: a huge count (here as the
// 32-bit read of 99999999999 would give, and more) writes the capped number
// of empty lines, a negative count none, and the run still succeeds.
TEST_F(ModelPrintTest, AnswerLineCountsOfABookAreBounded)
{
    const QString sql = BookFixture::SmallBookSql(QStringLiteral("TV-LINES"), 7)
        + QStringLiteral("UPDATE Questions SET ans_field_spc=2000000000 WHERE qid=11;"
                         "UPDATE Questions SET ans_field_spc=-5 WHERE qid=12;");
    ASSERT_TRUE(model.LoadBooks({BuildBook(sql, QStringLiteral("lines"))}));
    model.SetQuestions({11, 12});
    Quiz quiz = model.GetQuiz(0);
    quiz.AddSentence(S(51));
    quiz.AddSentence(S(61));
    model.SetQuiz(0, quiz);

    ASSERT_TRUE(model.CreatePrints(QString()));
    // Empty paragraphs after each sentence's own paragraph end, question half first.
    std::vector<int> emptyRuns;
    const auto& commands = word->commands;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (commands[i].kind != 2) // an item number starts a sub-question
            continue;
        std::size_t j = i + 2;
        while (j < commands.size() && commands[j].kind == 4)
            ++j;
        emptyRuns.push_back(static_cast<int>(j - i - 2));
    }
    const int capped = 1 + Print::Parser::kMaxAnswerLines;
    EXPECT_EQ(emptyRuns, (std::vector<int>{capped, 1, capped, 1}));
    EXPECT_EQ(model.GetQuiz(0).SentenceCount(), 2);
}

TEST_F(ModelPrintTest, OnlyAvailableWordProcessorsCanBeChosen)
{
    model.RegisterCreator(2, std::make_shared<RecordingCreator>(false));
    EXPECT_EQ(model.AvailableApplications(), 1);
    EXPECT_FALSE(model.SetApplication(2));
    EXPECT_FALSE(model.SetApplication(3));
    EXPECT_FALSE(model.SetApplication(0));
    EXPECT_EQ(model.Application(), 1);
}

TEST_F(ModelPrintTest, NoCreatorForTheApplicationFailsTheRun)
{
    Model bare;
    EXPECT_EQ(bare.Application(), 0);
    EXPECT_FALSE(bare.CreatePrints(QStringLiteral("A.dot")));
}

// Start-up over a program folder of its own and a private data home.
class ModelInitializeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        m_savedHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("home")).toUtf8());
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("program/data")));
    }
    void TearDown() override { qputenv("XDG_DATA_HOME", m_savedHome); }

    void AddBook(const QString& name, const QString& sql)
    {
        const QString error = BookFixture::Build(dir.filePath(QStringLiteral("program/data/") + name), sql);
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    }

    void Register(Model& model, bool wordAvailable, bool taroAvailable)
    {
        model.RegisterCreator(1, std::make_shared<RecordingCreator>(wordAvailable));
        model.RegisterCreator(2, std::make_shared<RecordingCreator>(taroAvailable));
    }

    QTemporaryDir dir;
    Path path{dir.filePath(QStringLiteral("program"))};

private:
    QByteArray m_savedHome;
};

TEST_F(ModelInitializeTest, LoadsTheFirstBookWithOnePrintAndChoosesTheStoredWordProcessor)
{
    AddBook(QStringLiteral("a_main.db"), BookFixture::SmallBookSql());
    {
        Model first;
        Register(first, true, true);
        ASSERT_EQ(first.Initialize(path), Model::kInitOk);
        EXPECT_EQ(first.Application(), 1);
        EXPECT_EQ(first.Storage().CurrentBid(), 1);
        EXPECT_EQ(first.QuizCount(), 1);
        first.WriteWpa(2);
    }
    Model second;
    Register(second, true, true);
    ASSERT_EQ(second.Initialize(path), Model::kInitOk);
    EXPECT_EQ(second.Application(), 2);

    // "Wpa" names Ichitaro but only Word is there.
    Model wordOnly;
    Register(wordOnly, true, false);
    ASSERT_EQ(wordOnly.Initialize(path), Model::kInitOk);
    EXPECT_EQ(wordOnly.Application(), 1);
}

TEST_F(ModelInitializeTest, NoWordProcessorIsNoStopAndKeepsTheStoredChoice)
{
    AddBook(QStringLiteral("a_main.db"), BookFixture::SmallBookSql());
    Model first;
    Register(first, true, true);
    ASSERT_EQ(first.Initialize(path), Model::kInitOk);
    first.WriteWpa(2);

    Model none;
    Register(none, false, false);
    ASSERT_EQ(none.Initialize(path), Model::kInitOk);
    EXPECT_EQ(none.AvailableApplications(), 0);
    EXPECT_EQ(none.Application(), 2);
    EXPECT_EQ(none.QuizCount(), 1);
}

TEST_F(ModelInitializeTest, FailuresInStartUpOrder)
{
    Model noBookFile;
    Register(noBookFile, true, false);
    EXPECT_EQ(noBookFile.Initialize(path), Model::kInitNoBookFile);

    AddBook(QStringLiteral("x_main.db"), BookFixture::SmallBookSql(QStringLiteral("tv-lower")));
    Model noBook;
    Register(noBook, true, false);
    EXPECT_EQ(noBook.Initialize(path), Model::kInitNoBook);
}

// A user database that can be read but not written: the start says so
// (603) and restores from it; nothing the run does reaches the file.
TEST_F(ModelInitializeTest, ReadOnlyUserDatabaseIsRestoredFromAndLeftAsItWas)
{
    AddBook(QStringLiteral("a_main.db"), BookFixture::SmallBookSql());
    const QString folder = dir.filePath(QStringLiteral("home/morvane-k/userdata"));
    const QString file = folder + QStringLiteral("/tv_user.db");
    {
        Model first;
        Register(first, true, true);
        ASSERT_EQ(first.Initialize(path), Model::kInitOk);
        first.SetQuestions({12});
        ASSERT_TRUE(ModelSerializer(first, first.Db()).Save());
    }
    const QDateTime before = QFileInfo(file).lastModified();

    Model second;
    Register(second, true, true);
    {
        const ReadOnlyAccess access({file, folder},
            {dir.path(), dir.filePath(QStringLiteral("home")), dir.filePath(QStringLiteral("home/morvane-k")),
                dir.filePath(QStringLiteral("program")), dir.filePath(QStringLiteral("program/data"))});
        ASSERT_EQ(second.Initialize(path), Model::kInitNoUserDatabase);
    }
    EXPECT_TRUE(second.Db().UserEnabled());
    ModelSerializer(second, second.Db()).Load();
    EXPECT_EQ(second.SelectedQids(), std::vector<int>{12});
    PrintOptions options = second.ReadPrintOptions();
    options.title = QStringLiteral("小テスト");
    second.WritePrintOptions(options);
    EXPECT_EQ(second.ReadPrintOptions().title, QStringLiteral("小テスト"));
    second.SetQuestions({11});
    EXPECT_TRUE(ModelSerializer(second, second.Db()).Save());
    EXPECT_EQ(QFileInfo(file).lastModified(), before);

    Model third;
    Register(third, true, true);
    ASSERT_EQ(third.Initialize(path), Model::kInitOk);
    ModelSerializer(third, third.Db()).Load();
    EXPECT_EQ(third.SelectedQids(), std::vector<int>{12});
    EXPECT_EQ(third.ReadPrintOptions().title, QString());
}

TEST_F(ModelInitializeTest, UnwritableDataHomeRunsWithoutUserDatabase)
{
    AddBook(QStringLiteral("a_main.db"), BookFixture::SmallBookSql());
    // A file where the folder of the user database would go.
    QFile blocker(dir.filePath(QStringLiteral("home")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Model model;
    Register(model, false, true);
    EXPECT_EQ(model.Initialize(path), Model::kInitNoUserDatabase);
    EXPECT_FALSE(model.Db().UserEnabled());
    EXPECT_EQ(model.Application(), 2);
    EXPECT_EQ(model.Storage().CurrentBid(), 1);
    EXPECT_EQ(model.QuizCount(), 1);
}

} // namespace
