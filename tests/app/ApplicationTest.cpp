#include "app/Application.h"

#include "desktop/CVersionChecker.h"
#include "desktop/GaijiFont.h"
#include "automation/ServerControl.h"
#include "export/PrintJob.h"
#include "model/Book.h"
#include "model/CppSQLite3DB.h"
#include "model/DataBase.h"
#include "model/Index.h"
#include "model/NodeStorage.h"
#include "model/Question.h"
#include "model/Sentence.h"
#include "print/Templ.h"
#include "quiz/Model.h"
#include "quiz/Quiz.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "support/BookFixture.h"
#include "support/FirstSentencePrint.h"
#include "support/RecordingMessageSink.h"
#include "support/SampleBooks.h"
#include "ui/DlgMain.h"
#include "ui/GaijiCellLayout.h"
#include "markup/GaijiFace.h"
#include "support/RecordingCreator.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>
#include <map>

namespace {

// A program folder of its own (books, templates) and a private XDG data
// home for the user database; the runs use recording word processors.
class ApplicationTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("program/data/template")));
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("home")));
        savedDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("home")).toUtf8());
    }
    void TearDown() override { qputenv("XDG_DATA_HOME", savedDataHome); }

    QString ProgramFolder() const { return dir.filePath(QStringLiteral("program")); }
    QString DataFolder() const { return ProgramFolder() + QStringLiteral("/data"); }
    QString UserDatabase() const { return dir.filePath(QStringLiteral("home/morvane-k/userdata/tv_user.db")); }

    void CopySampleBooks()
    {
        for (const SampleBook& book : SampleBooks())
            ASSERT_TRUE(QFile::copy(QStringLiteral(TV_TEST_DATA_DIR "/") + book.file, DataFolder() + u'/' + book.file));
    }
    void AddFile(const QString& relative, const QByteArray& content = {})
    {
        QFile file(ProgramFolder() + u'/' + relative);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    void AddTemplates(const QString& extension)
    {
        AddFile(QStringLiteral("data/template/A") + extension);
        AddFile(QStringLiteral("data/template/B") + extension);
    }

    // Which word processors the recording creators say they can start.
    void SetAvailable(bool word, bool taro)
    {
        wordAvailable = word;
        taroAvailable = taro;
    }

    // One run. `onWindow` sees the running program; the window then quits
    // as the user would. Returns the exit code.
    int RunOnce(std::function<void(Application&, DlgMain&)> onWindow = {})
    {
        Application application{Path(ProgramFolder())};
        application.SetCreatorSource([this] {
            Application::CreatorList creators;
            creators.emplace_back(Model::kWord, std::make_shared<RecordingCreator>(wordAvailable));
            creators.emplace_back(Model::kIchitaro, std::make_shared<RecordingCreator>(taroAvailable));
            return creators;
        });
        application.SetWindowHook([&](Application& app, DlgMain& window) {
            ++windowsShown;
            // No update check goes out from a test.
            window.SetVersionChecker(
                std::make_unique<CVersionChecker>(QStringLiteral("http://127.0.0.1:9/"), QString()));
            if (onWindow)
                onWindow(app, window);
            if (quitByCommand)
                QTimer::singleShot(0, &window, [&window] { window.ExecuteCommand(Res::ID_APP_EXIT); });
        });
        return application.Run();
    }

    std::map<QString, QString> StoredValues() const
    {
        std::map<QString, QString> values;
        for (const SqlRow& row : QueryRows(UserDatabase(), QStringLiteral("SELECT name, value FROM Info")))
            values[row.at(0).toString()] = row.at(1).toString();
        return values;
    }

    void ExpectOneBox(MessageIcon icon, int stringId)
    {
        ASSERT_EQ(sink.Messages().size(), 1u);
        EXPECT_EQ(sink.Messages()[0].icon, icon);
        EXPECT_EQ(sink.Messages()[0].text, Res::String(stringId));
        EXPECT_EQ(sink.Messages()[0].caption, Res::String(Res::IDS_APP_TITLE));
    }

    QTemporaryDir dir;
    QByteArray savedDataHome;
    RecordingMessageSink sink;
    bool wordAvailable = true;
    bool taroAvailable = true;
    int windowsShown = 0;
    bool quitByCommand = true; // otherwise the run decides how it ends
};

TEST_F(ApplicationTest, StopsWithOneWarningWhenTheStartCannotGoOn)
{
    // No book file at all.
    AddTemplates(QStringLiteral(".dot"));
    AddTemplates(QStringLiteral(".jtt"));
    EXPECT_EQ(RunOnce(), Application::kStopped);
    ExpectOneBox(MessageIcon::Warning, Res::IDS_ERR_NO_BOOK_DATABASE);

    // Only a file that is no book database.
    sink.Clear();
    AddFile(QStringLiteral("data/broken_main.db"), "not a database");
    EXPECT_EQ(RunOnce(), Application::kStopped);
    ExpectOneBox(MessageIcon::Warning, Res::IDS_ERR_LOAD_BOOK_DATABASE);

    EXPECT_EQ(windowsShown, 0);
    EXPECT_EQ(StoredValues().count(QStringLiteral("Wpa")), 0u);
}

TEST_F(ApplicationTest, WithoutAWordProcessorTheWindowComesUpAndAPrintRunSaysSo)
{
    CopySampleBooks();
    SetAvailable(false, false);
    RunOnce([&](Application& app, DlgMain& window) {
        Model& model = *app.GetModel();
        ASSERT_TRUE(SelectFirstSentence(model));
        window.ExecuteCommand(Res::IDC_CREATE_PRINT);
    });
    EXPECT_EQ(windowsShown, 1);
    ExpectOneBox(MessageIcon::Warning, Res::IDS_ERR_NO_WORD_PROCESSOR);
}

TEST_F(ApplicationTest, UnexpectedCodesStopWithTheCodeAndSmallCodesGoOn)
{
    EXPECT_FALSE(Application::ReportStartCode(150));
    ASSERT_EQ(sink.Messages().size(), 1u);
    EXPECT_EQ(sink.Messages()[0].icon, MessageIcon::Warning);
    EXPECT_EQ(sink.Messages()[0].text, QStringLiteral("アプリケーションエラーが発生しました。\nエラーコード - 150"));

    sink.Clear();
    EXPECT_TRUE(Application::ReportStartCode(0));
    EXPECT_TRUE(Application::ReportStartCode(5));
    EXPECT_TRUE(Application::ReportStartCode(100));
    EXPECT_TRUE(sink.Messages().empty());
}

TEST_F(ApplicationTest, MissingTemplatesOfAUsableWordProcessorStopTheStart)
{
    CopySampleBooks();
    AddTemplates(QStringLiteral(".dot"));
    EXPECT_EQ(RunOnce(), Application::kStopped);
    ExpectOneBox(MessageIcon::Warning, Res::IDS_ERR_NO_TEMPLATE);
    EXPECT_EQ(windowsShown, 0);
    EXPECT_EQ(StoredValues().count(QStringLiteral("Wpa")), 0u);
}

TEST_F(ApplicationTest, TemplatesOfAWordProcessorThatCannotRunAreNotNeeded)
{
    CopySampleBooks();
    AddTemplates(QStringLiteral(".dot"));
    SetAvailable(true, false);
    int application = 0;
    EXPECT_EQ(RunOnce([&](Application& app, DlgMain&) { application = app.GetModel()->Application(); }), 1);
    EXPECT_TRUE(sink.Messages().empty());
    EXPECT_EQ(windowsShown, 1);
    EXPECT_EQ(application, Model::kWord);

    // Only Ichitaro can run and only its templates are there.
    QFile::remove(ProgramFolder() + QStringLiteral("/data/template/A.dot"));
    QFile::remove(ProgramFolder() + QStringLiteral("/data/template/B.dot"));
    AddTemplates(QStringLiteral(".jtt"));
    SetAvailable(false, true);
    EXPECT_EQ(RunOnce([&](Application& app, DlgMain&) { application = app.GetModel()->Application(); }), 1);
    EXPECT_TRUE(sink.Messages().empty());
    EXPECT_EQ(application, Model::kIchitaro);
}

TEST_F(ApplicationTest, UnusableUserDatabaseIsReportedAndTheProgramRunsSavingNothing)
{
    CopySampleBooks();
    AddTemplates(QStringLiteral(".dot"));
    AddTemplates(QStringLiteral(".jtt"));
    // A data home that is a plain file: no folder can be made below it.
    const QString blocker = dir.filePath(QStringLiteral("blocker"));
    {
        QFile file(blocker);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    qputenv("XDG_DATA_HOME", blocker.toUtf8());

    bool userEnabled = true;
    EXPECT_EQ(RunOnce([&](Application& app, DlgMain&) {
        userEnabled = app.GetModel()->Db().UserEnabled();
        app.GetModel()->AddQuiz();
    }),
        1);
    ExpectOneBox(MessageIcon::Information, Res::IDS_ERR_USER_DATABASE);
    EXPECT_EQ(windowsShown, 1);
    EXPECT_FALSE(userEnabled);
    EXPECT_EQ(QFileInfo(blocker).size(), 0);
}

// Another program holds the user database when the teacher quits: one
// short wait, then the teacher hears that nothing was kept and why, and
// nothing is.
TEST_F(ApplicationTest, ExitSaysSoWhenTheSelectionCannotBeSaved)
{
    CopySampleBooks();
    AddTemplates(QStringLiteral(".dot"));
    AddTemplates(QStringLiteral(".jtt"));
    EXPECT_EQ(RunOnce(), 1);
    const std::map<QString, QString> stored = StoredValues();
    ASSERT_FALSE(stored.empty());

    CppSQLite3DB other;
    other.Open(UserDatabase().toStdString());
    EXPECT_EQ(RunOnce([&](Application& app, DlgMain&) {
        app.GetModel()->Db().SetBeginWait(50);
        ASSERT_TRUE(app.GetModel()->SetApplication(Model::kIchitaro));
        other.ExecuteBatch("begin immediate;");
    }),
        1);
    other.ExecuteBatch("rollback;");
    ASSERT_EQ(sink.Messages().size(), 1u);
    EXPECT_EQ(sink.Messages()[0].icon, MessageIcon::Warning);
    EXPECT_EQ(sink.Messages()[0].text,
        QStringLiteral("選択状態などを保存できませんでした。\nほかのプログラムがファイルを使用中です。"));
    EXPECT_EQ(StoredValues(), stored);
}

// A damaged book database that sorts first: the program starts on the
// first good book and names the file it could not read.
TEST_F(ApplicationTest, DamagedFirstBookIsNamedAndTheGoodOnesAreUsed)
{
    CopySampleBooks();
    AddTemplates(QStringLiteral(".dot"));
    AddTemplates(QStringLiteral(".jtt"));
    const QString broken = DataFolder() + QStringLiteral("/0000_main.db");
    ASSERT_EQ(
        BookFixture::Build(broken,
            BookFixture::SmallBookSql(QStringLiteral("TV-BROKEN"), 9) + QStringLiteral("DROP VIEW KeywordsWithAttrs;")),
        QString());
    QString dbid;
    EXPECT_EQ(RunOnce([&](Application& app, DlgMain&) { dbid = app.GetModel()->Db().Dbid(); }), 1);
    EXPECT_EQ(windowsShown, 1);
    EXPECT_NE(dbid, QStringLiteral("TV-BROKEN"));
    EXPECT_TRUE(dbid.startsWith(QStringLiteral("TV")));
    ASSERT_EQ(sink.Messages().size(), 1u);
    EXPECT_EQ(sink.Messages()[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(sink.Messages()[0].text.contains(QDir::toNativeSeparators(broken)));
}

// What a run leaves for the next: the book, range, formats and prints, the
// word processor and its template.
struct Selection {
    int application = 0;
    QString templateName;
    int bid = 0;
    std::vector<int> qids;
    std::vector<int> rangeIndexIds;
    std::vector<std::vector<int>> printSentenceIds;

    static Selection Of(Application& app)
    {
        Model& model = *app.GetModel();
        Selection s;
        s.application = model.Application();
        s.templateName = app.GetTempl()->Selected(s.application);
        s.bid = model.Storage().CurrentBid();
        s.qids = model.SelectedQids();
        s.rangeIndexIds = model.CurrentRange().OrderedIndexIds();
        for (const Quiz& quiz : model.Quizzes()) {
            std::vector<int> sids;
            for (const QuestionUnit& unit : quiz.Units())
                for (const Sentence* sentence : unit.Sentences())
                    sids.push_back(sentence->sid);
            s.printSentenceIds.push_back(sids);
        }
        return s;
    }
    bool operator==(const Selection&) const = default;
};

// The first `count` entries of the table of contents that can be chosen
// and have no entries below them, in book order.
void CollectLeaves(const Index* entry, std::vector<int>& out, size_t count)
{
    for (const Index* child : entry->children) {
        if (out.size() == count)
            return;
        if (child->children.empty()) {
            if (child->enable)
                out.push_back(child->iid);
        } else {
            CollectLeaves(child, out, count);
        }
    }
}

// Another book than the first, its formats in reverse order, a range of
// two entries, and two prints, the first with two sentences; Ichitaro with
// its second template.
void Compose(Application& app)
{
    Model& model = *app.GetModel();
    NodeStorage& storage = model.Storage();
    ASSERT_GE(storage.Books().size(), 2u);
    ASSERT_EQ(model.SelectBook(storage.Books()[1]->bid), 0);

    std::vector<int> qids;
    for (const Question* question : storage.Questions())
        qids.insert(qids.begin(), question->qid);
    ASSERT_FALSE(qids.empty());
    model.SetQuestions(qids);

    std::vector<int> range;
    CollectLeaves(storage.Root(), range, 2);
    ASSERT_FALSE(range.empty());
    model.SetRange(Ranges(range));

    std::vector<const Sentence*> candidates;
    for (int qid : qids)
        if (model.CandidateSentences(candidates, qid) >= 2)
            break;
    ASSERT_GE(candidates.size(), 2u);
    model.AddQuiz();
    Quiz first = model.GetQuiz(0);
    ASSERT_TRUE(first.AddSentence(candidates[1]));
    ASSERT_TRUE(first.AddSentence(candidates[0]));
    model.SetQuiz(0, first);

    ASSERT_TRUE(model.SetApplication(Model::kIchitaro));
    ASSERT_TRUE(app.GetTempl()->Select(Model::kIchitaro, QStringLiteral("B.jtt")));
}

TEST_F(ApplicationTest, TheNextStartRestoresWhatTheLastRunLeft)
{
    CopySampleBooks();
    AddTemplates(QStringLiteral(".dot"));
    AddTemplates(QStringLiteral(".jtt"));

    Selection left;
    EXPECT_EQ(RunOnce([&](Application& app, DlgMain&) {
        Compose(app);
        left = Selection::Of(app);
    }),
        1);
    ASSERT_FALSE(HasFailure());
    const std::map<QString, QString> stored = StoredValues();
    EXPECT_EQ(stored.at(QStringLiteral("Wpa")), QStringLiteral("2"));
    EXPECT_EQ(stored.at(QStringLiteral("template")), QStringLiteral("B.jtt"));
    for (const char* name : {"dbid", "bid", "range", "qid", "quiz"})
        EXPECT_FALSE(stored.at(QString::fromLatin1(name)).isEmpty()) << name;

    Selection restored;
    int tabs = 0;
    EXPECT_EQ(RunOnce([&](Application& app, DlgMain& window) {
        restored = Selection::Of(app);
        // The pages follow the window's first paint.
        QTimer::singleShot(0, &window, [&] {
            if (QTest::qWaitFor([&] { return window.PageCount() > 0; }))
                tabs = window.PageCount();
        });
    }),
        1);
    EXPECT_EQ(restored, left);
    EXPECT_EQ(tabs, 2);
    EXPECT_EQ(left.printSentenceIds.size(), 2u);
    EXPECT_TRUE(sink.Messages().empty());

    // When Ichitaro is gone, Word takes over with its first template and
    // the selection is still restored.
    SetAvailable(true, false);
    EXPECT_EQ(RunOnce([&](Application& app, DlgMain&) { restored = Selection::Of(app); }), 1);
    EXPECT_EQ(restored.application, Model::kWord);
    EXPECT_EQ(restored.templateName, QStringLiteral("A.dot"));
    EXPECT_EQ(restored.printSentenceIds, left.printSentenceIds);
    EXPECT_EQ(StoredValues().at(QStringLiteral("Wpa")), QStringLiteral("1"));
}

} // namespace

namespace {

// Logging out ends the program through the ordinary quit, which saves.
TEST_F(ApplicationTest, TerminationRequestQuitsTheOrdinaryWayAndSaves)
{
    CopySampleBooks();
    AddTemplates(QStringLiteral(".dot"));
    AddTemplates(QStringLiteral(".jtt"));
    quitByCommand = false;
    EXPECT_EQ(RunOnce([](Application& app, DlgMain& window) {
        ASSERT_TRUE(app.GetModel()->SetApplication(Model::kIchitaro));
        QTimer::singleShot(0, &window, [] { std::raise(SIGTERM); });
    }),
        1);
    EXPECT_EQ(StoredValues().at(QStringLiteral("Wpa")), QStringLiteral("2"));
}

// A termination request while the word processor hangs in a run: the
// window closes at once (the run is on its own thread), the run is
// cancelled and, as the word processor does not stop, ended; the program
// quits and saves.
TEST_F(ApplicationTest, TerminationDuringAHangingRunEndsItAndSaves)
{
    CopySampleBooks();
    AddTemplates(QStringLiteral(".dot"));
    AddTemplates(QStringLiteral(".jtt"));
    quitByCommand = false;
    std::atomic<bool> released{false};
    std::atomic<bool> writing{false};
    std::atomic<int> abandoned{0};
    Automation::ServerControl::SetAbandonHandler([&] {
        ++abandoned;
        released = true;
    });
    QElapsedTimer clock;
    EXPECT_EQ(RunOnce([&](Application& app, DlgMain& window) {
        Model& model = *app.GetModel();
        ASSERT_TRUE(model.SetApplication(Model::kWord));
        ASSERT_TRUE(SelectFirstSentence(model));
        auto word = std::dynamic_pointer_cast<RecordingCreator>(model.Creators().Find(Model::kWord));
        ASSERT_TRUE(word);
        word->onWrite = [&released, &writing] {
            writing = true;
            while (!released.load())
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        };
        QTimer::singleShot(0, &window, [&window, &clock, &writing] {
            window.ExecuteCommand(Res::IDC_CREATE_PRINT);
            while (!writing.load()) // the run hangs in the word processor
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            clock.start();
            std::raise(SIGTERM);
        });
    }),
        1);
    Automation::ServerControl::SetAbandonHandler({});
    EXPECT_LT(clock.elapsed(), PrintJob::CancelGraceMs + 5000);
    EXPECT_EQ(abandoned.load(), 1);
    EXPECT_FALSE(StoredValues().at(QStringLiteral("quiz")).isEmpty());
}

} // namespace

namespace {

// The external-character font is installed after the window appears, but
// before the print pages' lists are built and before the office starts.
TEST_F(ApplicationTest, TheExternalCharacterFontIsKnownBeforeTheListsAndTheOffice)
{
    const QString font = GaijiFont::FileIn(QStringLiteral(TV_BUILD_DIR "/bin"));
    if (!QFile::exists(font))
        GTEST_SKIP() << "built without the external-character font";
    CopySampleBooks();
    AddTemplates(QStringLiteral(".dot"));
    AddTemplates(QStringLiteral(".jtt"));
    ASSERT_TRUE(QDir().mkpath(ProgramFolder() + QStringLiteral("/fonts")));
    ASSERT_TRUE(QFile::copy(font, GaijiFont::FileIn(ProgramFolder())));
    const QString face = GaijiFaceName.toString();
    const bool knownAlready = QFontDatabase::families().contains(face);
    const QByteArray savedConfig = qgetenv("FONTCONFIG_FILE");
    qunsetenv("FONTCONFIG_FILE");

    bool knownBeforeWindow = false;
    bool knownWithPages = false;
    bool knownAtOfficeStart = false;
    quitByCommand = false;
    EXPECT_EQ(RunOnce([&](Application& app, DlgMain& window) {
        knownBeforeWindow = QFontDatabase::families().contains(face);
        app.SetBackgroundStart([&] { knownAtOfficeStart = !qgetenv("FONTCONFIG_FILE").isEmpty(); });
        QTimer::singleShot(0, &window, [&] {
            if (QTest::qWaitFor([&] { return window.PageCount() > 0 && knownAtOfficeStart; }))
                knownWithPages = GaijiCellLayout::ExternalFontInstalled();
            window.ExecuteCommand(Res::ID_APP_EXIT);
        });
    }),
        1);
    qputenv("FONTCONFIG_FILE", savedConfig);
    if (!knownAlready)
        EXPECT_FALSE(knownBeforeWindow) << "installed before the window appeared";
    EXPECT_TRUE(knownWithPages);
    EXPECT_TRUE(knownAtOfficeStart);
}

} // namespace
