#include "ModelFixture.h"

#include "support/ReadOnlyAccess.h"
#include "quiz/ModelSerializer.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFile>

namespace {

// Stands for a word processor that can or cannot be started here.
class FixedWordProcessor : public WordProcessor {
public:
    explicit FixedWordProcessor(bool available)
        : m_available(available)
    {
    }
    bool IsAvailable() override { return m_available; }

private:
    bool m_available;
};

class ModelPrintTest : public ModelFixture {
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        model.RegisterCreator(1, std::make_shared<FixedWordProcessor>(true));
        model.RegisterCreator(2, std::make_shared<FixedWordProcessor>(true));
        ASSERT_TRUE(model.SetApplication(1));
    }
};

TEST_F(ModelPrintTest, OnlyAvailableWordProcessorsCanBeChosen)
{
    model.RegisterCreator(2, std::make_shared<FixedWordProcessor>(false));
    EXPECT_EQ(model.AvailableApplications(), 1);
    EXPECT_FALSE(model.SetApplication(2));
    EXPECT_FALSE(model.SetApplication(3));
    EXPECT_FALSE(model.SetApplication(0));
    EXPECT_EQ(model.Application(), 1);
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
        model.RegisterCreator(1, std::make_shared<FixedWordProcessor>(wordAvailable));
        model.RegisterCreator(2, std::make_shared<FixedWordProcessor>(taroAvailable));
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
