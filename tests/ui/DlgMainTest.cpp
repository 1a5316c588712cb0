// The main window driven as a teacher drives it: tabs and their numbers,
// the question-order menu, the print run, automatic selection and its
// messages, sub-question selection, the output word processor and its
// templates, help, the update command and the keys that must not close it.
#include "MainWindowFixture.h"

#include "desktop/MessageBox.h"
#include "model/Question.h"
#include "quiz/Quiz.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "support/ScopedEnv.h"
#include "ui/PrintRunControl.h"
#include "export/RunLimits.h"
#include "model/DataBase.h"
#include "quiz/PrintOptions.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QProgressBar>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

class MainWindow : public MainWindowFixture {
protected:
    // The small book with format 11 selected and its print holding `sids`.
    void SmallBookWithPrint(const std::vector<int>& qids, const std::vector<int>& sids)
    {
        LoadSmallBook();
        model.SetQuestions(qids);
        Quiz quiz = model.GetQuiz(0);
        for (int sid : sids)
            quiz.AddSentence(S(sid));
        model.SetQuiz(0, quiz);
    }

    QStringList MenuBarTitles() const
    {
        QStringList titles;
        for (QAction* action : window->menuBar()->actions())
            titles << action->text();
        return titles;
    }

    QAction* MenuCommand(int id) const
    {
        for (QAction* action : window->findChildren<QAction*>()) {
            if (action->data() == QVariant(id))
                return action;
        }
        return nullptr;
    }

    std::vector<int> SentenceIds(int print, int qid) const
    {
        std::vector<int> sids;
        const QuestionUnit unit = model.GetQuiz(print).UnitFor(qid);
        for (const Sentence* sentence : unit.Sentences())
            sids.push_back(sentence->sid);
        return sids;
    }

    void ShowActive()
    {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
};

} // namespace

TEST_F(MainWindow, TabsKeepTheirNumbersUntilABookChange)
{
    LoadTwoBooks();
    model.SetQuestions({11});
    DlgMain& main = Open();
    EXPECT_EQ(TabCaptions(), QStringList{"プリント1"});
    EXPECT_EQ(Control<QLineEdit>(main, Res::IDC_BOOK_NAME)->text(), QStringLiteral("テスト英単語 1"));

    main.ExecuteCommand(Res::ID_PRINT_ADD);
    main.ExecuteCommand(Res::ID_PRINT_ADD);
    EXPECT_EQ(TabCaptions(), (QStringList{"プリント1", "プリント2", "プリント3"}));
    EXPECT_EQ(main.Tabs().currentIndex(), 2);
    EXPECT_EQ(model.QuizCount(), 3);

    // Deleting the middle print asks first and selects the tab that moved up.
    main.Tabs().SetCurrentTab(1);
    main.ExecuteCommand(Res::ID_PRINT_DELETE);
    EXPECT_EQ(MessageTexts(), QStringList{"プリントを削除します。"});
    EXPECT_EQ(TabCaptions(), (QStringList{"プリント1", "プリント3"}));
    EXPECT_EQ(main.Tabs().currentIndex(), 1);
    EXPECT_EQ(main.PageCount(), 2);
    EXPECT_EQ(model.QuizCount(), 2);

    main.ExecuteCommand(Res::ID_PRINT_ADD);
    EXPECT_EQ(TabCaptions(), (QStringList{"プリント1", "プリント3", "プリント4"}));

    // Deleting the last tab selects the new last one.
    main.ExecuteCommand(Res::ID_PRINT_DELETE);
    EXPECT_EQ(TabCaptions(), (QStringList{"プリント1", "プリント3"}));
    EXPECT_EQ(main.Tabs().currentIndex(), 1);

    dialogs->bookToSelect = 2;
    Click(main, Res::IDC_CHANGE_BOOK);
    EXPECT_EQ(TabCaptions(), QStringList{"プリント1"});
    EXPECT_EQ(Control<QLineEdit>(main, Res::IDC_BOOK_NAME)->text(), QStringLiteral("第二の本"));
}

// The most prints there are: one more from the tab menu is refused with a
// message, and the tabs stay as they were.
TEST_F(MainWindow, AddingAPrintBeyondTheMostSaysSoAndAddsNothing)
{
    SmallBookWithPrint({11}, {51});
    model.ReplaceQuizzes(std::vector<Quiz>(Model::kMaxPrints - 1, model.GetQuiz(0)));
    DlgMain& main = Open();
    main.ExecuteCommand(Res::ID_PRINT_ADD);
    EXPECT_TRUE(sink.Messages().empty());
    ASSERT_EQ(main.Tabs().count(), Model::kMaxPrints);
    main.Tabs().SetCurrentTab(3);

    main.ExecuteCommand(Res::ID_PRINT_ADD);
    EXPECT_EQ(MessageTexts(), QStringList{"プリントは100枚までです。\nこれ以上追加できません。"});
    EXPECT_EQ(model.QuizCount(), Model::kMaxPrints);
    EXPECT_EQ(main.PageCount(), Model::kMaxPrints);
    EXPECT_EQ(main.Tabs().count(), Model::kMaxPrints);
    EXPECT_EQ(main.Tabs().currentIndex(), 3);
    EXPECT_EQ(main.Tabs().tabText(Model::kMaxPrints - 1), QStringLiteral("プリント100"));
}

TEST_F(MainWindow, DeletingTheOnlyPrintLeavesAFreshOne)
{
    SmallBookWithPrint({11}, {51});
    DlgMain& main = Open();

    sink.QueueAnswer(false);
    main.ExecuteCommand(Res::ID_PRINT_DELETE);
    EXPECT_EQ(SentenceIds(0, 11), std::vector<int>{51});
    EXPECT_EQ(main.Page(0)->List().RowCount(), 2);

    main.ExecuteCommand(Res::ID_PRINT_DELETE);
    EXPECT_EQ(TabCaptions(), QStringList{"プリント1"});
    ASSERT_EQ(model.QuizCount(), 1);
    EXPECT_TRUE(model.GetQuiz(0).HasQuestion(11));
    EXPECT_TRUE(SentenceIds(0, 11).empty());
    EXPECT_EQ(Rows(*main.Page(0)).value(1), QStringLiteral("　　　《ダブルクリックで問題を追加します》|"));

    // With two prints, deleting the first leaves the second with its number.
    main.ExecuteCommand(Res::ID_PRINT_ADD);
    main.Tabs().SetCurrentTab(0);
    main.ExecuteCommand(Res::ID_PRINT_DELETE);
    EXPECT_EQ(TabCaptions(), QStringList{"プリント2"});
}

TEST_F(MainWindow, TabContextMenuSelectsTheTabUnderThePointer)
{
    SmallBookWithPrint({11}, {});
    DlgMain& main = Open();
    main.ExecuteCommand(Res::ID_PRINT_ADD);
    main.Tabs().SetCurrentTab(1);
    ShowActive();

    int chosen = Res::ID_PRINT_DELETE;
    main.SetPopupRunner([&](QMenu& menu, const QPoint&) -> QAction* {
        for (QAction* action : menu.actions()) {
            if (action->data() == QVariant(chosen))
                return action;
        }
        return nullptr;
    });
    QTabBar* bar = main.Tabs().tabBar();
    const QPoint onFirst = bar->tabRect(0).center();
    QContextMenuEvent onTab(QContextMenuEvent::Mouse, onFirst, bar->mapToGlobal(onFirst));
    QApplication::sendEvent(bar, &onTab);
    EXPECT_EQ(TabCaptions(), QStringList{"プリント2"});

    chosen = Res::ID_PRINT_ADD;
    QContextMenuEvent again(QContextMenuEvent::Mouse, onFirst, bar->mapToGlobal(onFirst));
    QApplication::sendEvent(bar, &again);
    EXPECT_EQ(TabCaptions(), (QStringList{"プリント2", "プリント3"}));
    EXPECT_EQ(main.Tabs().currentIndex(), 1);
}

TEST_F(MainWindow, QuestionOrderMenuOnlyForEnglishBooksAndNeverTwice)
{
    LoadSampleBooks();
    DlgMain& main = Open();
    EXPECT_EQ(MenuBarTitles(), (QStringList{"ファイル(&F)", "設定(&C)", "出題順(&S)", "ヘルプ(&H)"}));

    ASSERT_EQ(model.SelectBook(332), 0);
    EXPECT_EQ(MenuBarTitles(), (QStringList{"ファイル(&F)", "設定(&C)", "ヘルプ(&H)"}));
    ASSERT_EQ(model.SelectBook(111), 0);
    model.NotifyViews();
    main.UpdateView();
    EXPECT_EQ(MenuBarTitles(), (QStringList{"ファイル(&F)", "設定(&C)", "出題順(&S)", "ヘルプ(&H)"}));
    ASSERT_EQ(model.SelectBook(335), 0);
    EXPECT_EQ(MenuBarTitles().count(QStringLiteral("出題順(&S)")), 0);
    main.UpdateView();
    EXPECT_EQ(MenuBarTitles().size(), 3);
}

TEST_F(MainWindow, EnterAndEscapeDoNotCloseTheWindow)
{
    SmallBookWithPrint({11}, {51});
    DlgMain& main = Open();
    ShowActive();
    for (QWidget* target : {static_cast<QWidget*>(&main), static_cast<QWidget*>(&main.Page(0)->List()),
             static_cast<QWidget*>(Control<QComboBox>(main, Res::IDC_TEMPLATE))}) {
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
        QTest::keyClick(target, Qt::Key_Enter);
        QTest::keyClick(target, Qt::Key_Escape);
    }
    QApplication::processEvents();
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(main.PageCount(), 1);
    EXPECT_TRUE(sink.Messages().empty());
}

TEST_F(MainWindow, StartsOnThePrintListAndTabWalksTheTopRowInOrder)
{
    SmallBookWithPrint({11}, {51});
    DlgMain& main = Open();
    ShowActive();
    EXPECT_EQ(QApplication::focusWidget(), &main.Page(0)->List());

    auto* bookName = Control<QLineEdit>(main, Res::IDC_BOOK_NAME);
    bookName->setFocus();
    QStringList walked;
    for (int i = 0; i < 3; ++i) {
        walked << QString::number(ControlIdOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    walked << QString::number(ControlIdOf(QApplication::focusWidget()));
    EXPECT_EQ(walked, (QStringList{"1101", "1102", "2103", "1103"}));
}

// Only the pages the teacher has looked at make their lists: a rebuild of
// many tabs makes one. The page of a tab chosen later makes its list then,
// shows the print and takes the focus.
TEST_F(MainWindow, APageMakesItsListWhenItsTabIsFirstChosen)
{
    SmallBookWithPrint({11}, {51});
    DlgMain& main = Open();
    main.ExecuteCommand(Res::ID_PRINT_ADD);
    main.ExecuteCommand(Res::ID_PRINT_ADD);
    Quiz third = model.GetQuiz(2);
    third.AddSentence(S(52));
    model.SetQuiz(2, third);
    main.UpdateView();
    ShowActive();
    ASSERT_EQ(main.PageCount(), 3);
    EXPECT_TRUE(main.Page(0)->HasList());
    EXPECT_FALSE(main.Page(1)->HasList());
    EXPECT_FALSE(main.Page(2)->HasList());
    EXPECT_EQ(QApplication::focusWidget(), &main.Page(0)->List());

    // Ctrl+Shift+Tab goes back round to the last tab.
    QTest::keyClick(&main.Page(0)->List(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(main.Tabs().currentIndex(), 2);
    ASSERT_TRUE(main.Page(2)->HasList());
    EXPECT_FALSE(main.Page(1)->HasList());
    EXPECT_TRUE(main.Page(2)->List().isVisible());
    EXPECT_EQ(QApplication::focusWidget(), &main.Page(2)->List());
    EXPECT_EQ(Rows(*main.Page(2)).value(1), QStringLiteral("　　(1) 本を読む。|read a book"));

    // A rebuild while the window is up starts again on the first print's list.
    main.UpdateView();
    EXPECT_EQ(main.Tabs().currentIndex(), 0);
    EXPECT_TRUE(main.Tabs().isVisible());
    EXPECT_FALSE(main.Page(2)->HasList());
    EXPECT_EQ(QApplication::focusWidget(), &main.Page(0)->List());
}

// What the teacher sees once the window is up: the same whether the pages
// came with the window or right after its first paint.
TEST_F(MainWindow, PagesMadeAfterTheFirstPaintEndAsIfMadeAtOnce)
{
    LoadSampleBooks();
    ASSERT_EQ(model.SelectBook(111), 0);
    model.SetQuestions({model.Storage().Questions().front()->qid});
    model.AddQuiz();
    struct Seen {
        QStringList captions;
        QStringList firstPageRows;
        QStringList menus;
        bool listHasFocus = false;
        bool hasIcon = false;
        bool operator==(const Seen&) const = default;
    };
    const auto seeAfterStart = [&](DlgMain::PagesAtStart pages) {
        DlgMain& main = Open(pages);
        ShowActive();
        EXPECT_TRUE(QTest::qWaitFor([&] { return main.PageCount() > 0; }));
        QApplication::processEvents();
        Seen seen{TabCaptions(), main.PageCount() > 0 ? Rows(*main.Page(0)) : QStringList(), MenuBarTitles(),
            main.PageCount() > 0 && QApplication::focusWidget() == &main.Page(0)->List(), !main.windowIcon().isNull()};
        window.reset();
        return seen;
    };
    const Seen atOnce = seeAfterStart(DlgMain::PagesAtStart::Built);
    EXPECT_EQ(atOnce.captions, (QStringList{"プリント1", "プリント2"}));
    EXPECT_TRUE(atOnce.listHasFocus);
    EXPECT_TRUE(atOnce.hasIcon);
    EXPECT_TRUE(seeAfterStart(DlgMain::PagesAtStart::AfterFirstPaint) == atOnce);

    // Before the window was ever painted the pages are not there yet; a
    // command then builds them first and acts on them.
    DlgMain& main = Open(DlgMain::PagesAtStart::AfterFirstPaint);
    EXPECT_EQ(main.PageCount(), 0);
    EXPECT_EQ(MenuBarTitles(), atOnce.menus);
    main.ExecuteCommand(Res::ID_PRINT_ADD);
    EXPECT_EQ(TabCaptions(), (QStringList{"プリント1", "プリント2", "プリント3"}));
    EXPECT_EQ(model.QuizCount(), 3);
}

TEST_F(MainWindow, PrintRunWithoutAnySubQuestionIsRefused)
{
    SmallBookWithPrint({11}, {});
    DlgMain& main = Open();
    main.ExecuteCommand(Res::ID_PRINT_ADD);
    Click(main, Res::IDC_CREATE_PRINT);
    EXPECT_EQ(word->runs, 0);
    EXPECT_EQ(MessageTexts(), QStringList{Res::String(Res::IDS_ERR_NOTHING_TO_PRINT)});
    EXPECT_TRUE(Control<QPushButton>(main, Res::IDC_CREATE_PRINT)->isEnabled());

    // One sub-question in the second print is enough.
    Quiz second = model.GetQuiz(1);
    second.AddSentence(S(51));
    model.SetQuiz(1, second);
    Click(main, Res::IDC_CREATE_PRINT);
    WaitForPrintRun();
    EXPECT_EQ(word->runs, 1);
    EXPECT_EQ(MessageTexts().size(), 1);
}

TEST_F(MainWindow, PrintRunShowsProgressAndReportsFailure)
{
    SmallBookWithPrint({11}, {51});
    DlgMain& main = Open();
    auto* button = Control<QPushButton>(main, Res::IDC_CREATE_PRINT);
    EXPECT_EQ(main.StatusText(), QStringLiteral("準備完了"));

    std::atomic<bool> release{false};
    word->onWrite = [&] {
        while (!release.load())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    };
    Click(main, Res::IDC_CREATE_PRINT);
    // The run is held at its first command: the window answers meanwhile.
    ASSERT_TRUE(main.IsPrintRunning());
    EXPECT_EQ(main.StatusText(), QStringLiteral("プリント作成中..."));
    EXPECT_FALSE(button->isEnabled());
    EXPECT_TRUE(main.PrintRuns().ProgressBar()->isVisibleTo(&main));
    EXPECT_TRUE(main.PrintRuns().CancelButton()->isVisibleTo(&main));
    Click(main, Res::IDC_CREATE_PRINT); // refused while one goes on
    release = true;
    WaitForPrintRun();
    EXPECT_EQ(word->runs, 1);
    EXPECT_EQ(taro->runs, 0);
    EXPECT_EQ(word->templatePath, path.TemplateFolder() + QStringLiteral("/A.dot"));
    EXPECT_EQ(main.PrintRuns().ProgressBar()->maximum(), static_cast<int>(word->commands.size()) + 4);
    EXPECT_FALSE(main.PrintRuns().ProgressBar()->isVisibleTo(&main));
    EXPECT_EQ(main.StatusText(), QStringLiteral("準備完了"));
    EXPECT_TRUE(button->isEnabled());
    EXPECT_TRUE(sink.Messages().empty());

    word->onWrite = {};
    word->completes = false;
    Click(main, Res::IDC_CREATE_PRINT);
    WaitForPrintRun();
    ASSERT_EQ(sink.Messages().size(), 1u);
    EXPECT_EQ(sink.Messages()[0].icon, MessageIcon::Warning);
    EXPECT_EQ(sink.Messages()[0].text, QStringLiteral("プリントデータの作成に失敗しました。"));
    EXPECT_EQ(main.StatusText(), QStringLiteral("準備完了"));
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(model.QuizCount(), 1);
}

// A run beyond the limits is refused before the word processor is
// touched; the selection is saved all the same.
TEST_F(MainWindow, PrintRunBeyondTheLimitsIsRefusedBeforeTheWordProcessor)
{
    SmallBookWithPrint({11}, {51});
    PrintOptions options = model.ReadPrintOptions();
    options.title = QString(RunLimits::MaxTextLength + 1, QChar(u'題'));
    model.WritePrintOptions(options);
    DlgMain& main = Open();
    Click(main, Res::IDC_CREATE_PRINT);
    EXPECT_FALSE(main.IsPrintRunning());
    EXPECT_EQ(word->runs, 0);
    EXPECT_EQ(MessageTexts(),
        QStringList{QStringLiteral("プリントが大きすぎるため作成できません。\n"
                                   "100001 文字の長さの文があります（上限 100000 文字）。\n"
                                   "出題形式や小問の数を減らしてください。")});
    EXPECT_FALSE(model.Db().UserInfo(QStringLiteral("quiz")).isEmpty());
    EXPECT_TRUE(Control<QPushButton>(main, Res::IDC_CREATE_PRINT)->isEnabled());
}

TEST_F(MainWindow, CancelledPrintRunDiscardsItsDocument)
{
    SmallBookWithPrint({11}, {51});
    DlgMain& main = Open();
    std::atomic<int> written{0};
    word->onWrite = [&] {
        ++written;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    };
    Click(main, Res::IDC_CREATE_PRINT);
    QTest::mouseClick(main.PrintRuns().CancelButton(), Qt::LeftButton);
    WaitForPrintRun();
    EXPECT_LT(written.load(), static_cast<int>(word->commands.size()) + 1);
    EXPECT_EQ(main.StatusText(), QStringLiteral("プリント作成を中止しました。"));
    EXPECT_TRUE(sink.Messages().empty());
    EXPECT_TRUE(Control<QPushButton>(main, Res::IDC_CREATE_PRINT)->isEnabled());
}

// "PDFに保存": the file dialog starts in the folder used last, the run
// writes the file without showing the word processor, and the status bar
// says where it went.
TEST_F(MainWindow, SavePdfWritesTheChosenFileAndRemembersItsFolder)
{
    SmallBookWithPrint({11}, {51});
    DlgMain& main = Open();
    const QString folder = dir.filePath(QStringLiteral("pdfs"));
    ASSERT_TRUE(QDir().mkpath(folder));
    main.ExecuteCommand(Res::ID_SAVE_PDF); // cancelled: nothing runs
    EXPECT_EQ(word->runs, 0);

    dialogs->pdfFile = folder + QStringLiteral("/小テスト"); // the extension is added
    main.ExecuteCommand(Res::ID_SAVE_PDF);
    WaitForPrintRun();
    const QString written = folder + QStringLiteral("/小テスト.pdf");
    EXPECT_EQ(word->runs, 1);
    EXPECT_EQ(word->savedFormat, QStringLiteral("pdf"));
    EXPECT_NE(word->savedPath, written); // a temporary file beside it, renamed at the end
    EXPECT_EQ(QFileInfo(word->savedPath).absolutePath(), folder);
    EXPECT_TRUE(QFileInfo::exists(written));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("小テスト.pdf")});
    EXPECT_EQ(main.StatusText(), QStringLiteral("PDFに保存しました: ") + written);
    EXPECT_TRUE(sink.Messages().empty());

    main.ExecuteCommand(Res::ID_SAVE_PDF);
    WaitForPrintRun();
    EXPECT_EQ(QFileInfo(dialogs->pdfSuggested).absolutePath(), folder);

    // A failed run leaves the older file as it was and no temporary file.
    word->completes = false;
    QFile::remove(written);
    main.ExecuteCommand(Res::ID_SAVE_PDF);
    WaitForPrintRun();
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("プリントデータの作成に失敗しました。")});
}

// "書き出し": the file type picks the format (its extension added where the
// name lacks it), no word processor runs, the next dialog starts in the
// same folder with the same type.
TEST_F(MainWindow, ExportWritesTheChosenFormatWithoutTheWordProcessor)
{
    SmallBookWithPrint({11}, {51});
    DlgMain& main = Open();
    const QString folder = dir.filePath(QStringLiteral("exports"));
    ASSERT_TRUE(QDir().mkpath(folder));
    main.ExecuteCommand(Res::ID_EXPORT); // cancelled: nothing written
    EXPECT_TRUE(dialogs->exportSuggested.endsWith(QStringLiteral(".html")));

    dialogs->exportFile = folder + QStringLiteral("/小テスト");
    dialogs->exportFormat = ExportFormat::kMoodleXml;
    main.ExecuteCommand(Res::ID_EXPORT);
    const QString written = folder + QStringLiteral("/小テスト.xml");
    QFile file(written);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("<question type=\"shortanswer\">"));
    EXPECT_EQ(word->runs, 0);
    EXPECT_EQ(main.StatusText(), QStringLiteral("書き出しました: ") + written);
    EXPECT_TRUE(sink.Messages().empty());

    dialogs->exportFile.clear();
    dialogs->exportFormat = ExportFormat::kNone;
    main.ExecuteCommand(Res::ID_EXPORT);
    EXPECT_EQ(QFileInfo(dialogs->exportSuggested).absolutePath(), folder);
    EXPECT_TRUE(dialogs->exportSuggested.endsWith(QStringLiteral(".xml")));
}

TEST_F(MainWindow, AutomaticSelectionNeedsFormatsAndARange)
{
    LoadSmallBook();
    DlgMain& main = Open();
    Click(main, Res::IDC_AUTO_SELECT);
    model.SetQuestions({11});
    Click(main, Res::IDC_AUTO_SELECT); // no range yet
    model.SetRange(Ranges(std::vector<int>{}));
    Click(main, Res::IDC_AUTO_SELECT); // a range of nothing
    EXPECT_EQ(dialogs->opened, 0);
    const QString need = QStringLiteral("自動選択を行うには，出題形式と出題範囲を選択してください。");
    EXPECT_EQ(MessageTexts(), (QStringList{need, need, need}));
    EXPECT_EQ(sink.Messages()[0].icon, MessageIcon::Information);

    // With both, the dialog opens; cancelling it changes nothing.
    SetIndexRange({3});
    sink.Clear();
    Click(main, Res::IDC_AUTO_SELECT);
    EXPECT_EQ(dialogs->opened, 1);
    EXPECT_TRUE(dialogs->randomizeWasAllowed);
    EXPECT_TRUE(sink.Messages().empty());
    EXPECT_EQ(TabCaptions(), QStringList{"プリント1"});
}

TEST_F(MainWindow, AutomaticSelectionRebuildsTheTabsAndReportsItsWarnings)
{
    // Entry 3 holds one keyword, drilled by one sentence of each format.
    LoadSmallBook();
    model.SetQuestions({11, 12});
    SetIndexRange({3});
    DlgMain& main = Open();

    dialogs->editAutoSelect = [](AutoSelectOptions& options) {
        options.printCount = 2;
        for (auto& entry : options.counts)
            entry.second = 2; // more than the range holds
    };
    Click(main, Res::IDC_AUTO_SELECT);
    EXPECT_EQ(TabCaptions(), (QStringList{"プリント1", "プリント2"}));
    ASSERT_EQ(sink.Messages().size(), 1u);
    EXPECT_EQ(sink.Messages()[0].icon, MessageIcon::Warning);
    EXPECT_EQ(sink.Messages()[0].text,
        QStringLiteral("小問数が不足している設問があります。語彙が重複している問題があります。"));
    EXPECT_EQ(model.ReadAutoSelectOptions().printCount, 2);
    EXPECT_EQ(SentenceIds(1, 11), std::vector<int>{51});
    EXPECT_EQ(Rows(*main.Page(1)).value(1), QStringLiteral("　　(1) りんごを食べる。|eat an apple"));

    // A format without a count cannot be filled.
    sink.Clear();
    dialogs->editAutoSelect = [](AutoSelectOptions& options) { options.counts.clear(); };
    Click(main, Res::IDC_AUTO_SELECT);
    EXPECT_EQ(MessageTexts(), QStringList{"問題の自動選択に失敗しました。"});
    EXPECT_EQ(main.PageCount(), 2);
}

TEST_F(MainWindow, SubQuestionSelectionWritesTheChosenSentencesBack)
{
    SmallBookWithPrint({11, 12}, {51});
    DlgMain& main = Open();
    main.ExecuteCommand(Res::ID_PRINT_ADD);
    DlgPrint* first = main.Page(0);

    dialogs->sentencesToChoose = {S(52), S(51), S(52)};
    first->List().SelectRow(1);
    first->RequestSentences();
    ASSERT_NE(dialogs->unitShown.GetQuestion(), nullptr);
    EXPECT_EQ(dialogs->unitShown.QuestionId(), 11);
    EXPECT_EQ(dialogs->unitShown.Sentences().size(), 1u);
    EXPECT_EQ(SentenceIds(0, 11), (std::vector<int>{52, 51}));
    EXPECT_TRUE(SentenceIds(1, 11).empty());
    EXPECT_EQ(Rows(*first).value(1), QStringLiteral("　　(1) 本を読む。|read a book"));
    // No range: the refreshed page marks its headers.
    EXPECT_EQ(first->List().CellText(0, 1), QStringLiteral("　　《現在の選択範囲に該当する問題がありません》"));

    dialogs->acceptSentences = false;
    dialogs->sentencesToChoose = {};
    first->RequestSentences();
    EXPECT_EQ(SentenceIds(0, 11), (std::vector<int>{52, 51}));

    // Book order: keyword 201 (sentence 51) before keyword 202.
    main.ExecuteCommand(Res::ID_ORDER_BOOK);
    EXPECT_EQ(SentenceIds(0, 11), (std::vector<int>{51, 52}));
    EXPECT_EQ(Rows(*main.Page(0)).value(1), QStringLiteral("　　(1) りんごを食べる。|eat an apple"));
}

TEST_F(MainWindow, RangeAndBonusOptionRefreshTheMarks)
{
    SmallBookWithPrint({11, 12, 13}, {});
    DlgMain& main = Open();
    const QString none = QStringLiteral("　　《現在の選択範囲に該当する問題がありません》");
    ListViewCtrl& list = main.Page(0)->List();
    EXPECT_EQ(list.CellText(0, 1), none);

    dialogs->rangeToSelect = {3};
    Click(main, Res::IDC_SELECT_RANGE);
    EXPECT_EQ(list.CellText(0, 1), QString());
    EXPECT_EQ(list.CellText(2, 1), QString());
    EXPECT_EQ(list.CellText(4, 1), none);

    // Entry 5 holds only a sentence from outside the book body.
    dialogs->rangeToSelect = {5};
    Click(main, Res::IDC_SELECT_RANGE);
    EXPECT_EQ(list.CellText(0, 1), none);
    auto* bonus = Control<QCheckBox>(main, Res::IDC_USE_BONUS);
    EXPECT_FALSE(bonus->isChecked());
    QTest::mouseClick(bonus, Qt::LeftButton);
    EXPECT_TRUE(model.ReadPrintOptions().useBonus);
    EXPECT_EQ(list.CellText(0, 1), QString());

    // A new window shows the stored option.
    window.reset();
    EXPECT_TRUE(Control<QCheckBox>(Open(), Res::IDC_USE_BONUS)->isChecked());
}

TEST_F(MainWindow, FormatChangeRebuildsThePrints)
{
    SmallBookWithPrint({11}, {51});
    DlgMain& main = Open();
    dialogs->questionsToSelect = {12, 11};
    Click(main, Res::IDC_SELECT_QUESTIONS);
    EXPECT_EQ(Rows(*main.Page(0)).value(0),
        QStringLiteral("[1] 次の英文を日本語にしなさい。|　　《現在の選択範囲に該当する問題がありません》"));
    EXPECT_EQ(Rows(*main.Page(0)).value(2),
        QStringLiteral("[2] 次の日本語を英語にしなさい。|　　《現在の選択範囲に該当する問題がありません》"));
}

TEST_F(MainWindow, OutputApplicationChoosesItsTemplates)
{
    SmallBookWithPrint({11}, {});
    model.RegisterCreator(Model::kIchitaro, std::make_shared<RecordingCreator>(false));
    DlgMain& main = Open();
    auto* combo = Control<QComboBox>(main, Res::IDC_TEMPLATE);
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("A.dot"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("A.dot"));
    EXPECT_TRUE(MenuCommand(Res::ID_OUTPUT_WORD)->isChecked());
    EXPECT_FALSE(MenuCommand(Res::ID_OUTPUT_TARO)->isEnabled());

    combo->setCurrentIndex(1);
    main.ExecuteCommand(Res::IDC_TEMPLATE);
    EXPECT_EQ(templ->Selected(Model::kWord), QStringLiteral("B.dot"));
    // A name the catalogue does not hold is refused.
    combo->addItem(QStringLiteral("消えた.dot"));
    combo->setCurrentIndex(2);
    main.ExecuteCommand(Res::IDC_TEMPLATE);
    EXPECT_EQ(templ->Selected(Model::kWord), QStringLiteral("B.dot"));

    // An unavailable word processor cannot be chosen.
    main.ExecuteCommand(Res::ID_OUTPUT_TARO);
    EXPECT_EQ(model.Application(), Model::kWord);

    model.RegisterCreator(Model::kIchitaro, taro);
    main.ExecuteCommand(Res::ID_OUTPUT_TARO);
    EXPECT_EQ(model.Application(), Model::kIchitaro);
    EXPECT_TRUE(MenuCommand(Res::ID_OUTPUT_TARO)->isChecked());
    EXPECT_FALSE(MenuCommand(Res::ID_OUTPUT_WORD)->isChecked());
    ASSERT_EQ(combo->count(), 1);
    EXPECT_EQ(combo->currentText(), QStringLiteral("縦書き.jtt"));
}

TEST_F(MainWindow, HelpAndAboutByMenuAndKeys)
{
    SmallBookWithPrint({11}, {});
    DlgMain& main = Open();
    QStringList opened;
    bool browserStarts = false;
    main.SetBrowserOpener([&](const QString& target, std::function<void(bool)> done) {
        opened << target;
        done(browserStarts);
    });
    ShowActive();

    QTest::keyClick(&main, Qt::Key_F1);
    ASSERT_EQ(sink.Messages().size(), 1u);
    EXPECT_EQ(sink.Messages()[0].text,
        QStringLiteral("ヘルプファイル\n%1\nが見つかりません。").arg(QDir::toNativeSeparators(path.HelpPage())));

    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("program/help")));
    Touch(QStringLiteral("program/help/index.html"));
    sink.Clear();
    main.ExecuteCommand(Res::ID_HELP_BROWSER);
    EXPECT_EQ(MessageTexts(), QStringList{"ヘルプの表示に失敗しました。"});
    browserStarts = true;
    sink.Clear();
    QTest::keyClick(&main, Qt::Key_F1);
    EXPECT_TRUE(sink.Messages().empty());
    EXPECT_EQ(opened, (QStringList{path.HelpPage(), path.HelpPage()}));

    QTest::keyClick(&main, Qt::Key_Slash, Qt::AltModifier);
    QTest::keyClick(&main, Qt::Key_Question, Qt::AltModifier);
    EXPECT_EQ(dialogs->aboutShown, 2);

    main.ExecuteCommand(Res::ID_OPTIONS);
    EXPECT_EQ(model.ReadPrintOptions().title, QStringLiteral("小テスト"));
}

TEST_F(MainWindow, TemplateFolderCommandMakesAndOpensTheTeachersFolder)
{
    const QString home = dir.filePath(QStringLiteral("home"));
    const ScopedEnv env("XDG_DATA_HOME", home.toUtf8());
    const QString folder = home + QStringLiteral("/morvane-k/template");
    SmallBookWithPrint({11}, {});
    DlgMain& main = Open();
    QStringList opened;
    bool opens = true;
    main.SetBrowserOpener([&](const QString& target, std::function<void(bool)> done) {
        opened << target;
        done(opens);
    });
    auto* combo = Control<QComboBox>(main, Res::IDC_TEMPLATE);
    combo->setCurrentIndex(1);
    main.ExecuteCommand(Res::IDC_TEMPLATE);

    MenuCommand(Res::ID_TEMPLATE_FOLDER)->trigger();
    EXPECT_EQ(opened, QStringList{folder});
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(sink.Messages().empty());

    // A template saved there shows up when the teacher comes back to the
    // window; the chosen one stays chosen.
    Touch(QStringLiteral("home/morvane-k/template/自作.dot"));
    ShowActive();
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(2), QStringLiteral("自作.dot"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("B.dot"));
    EXPECT_EQ(templ->FullPath(Model::kWord), path.TemplateFolder() + QStringLiteral("/B.dot"));

    opens = false;
    main.ExecuteCommand(Res::ID_TEMPLATE_FOLDER);
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("雛形フォルダ\n%1\nを開けませんでした。").arg(folder)});
}

// xdg-open that starts and then fails (no browser, no file manager: its
// status is not 0) is waited for without holding the window, and says so
// as a launcher that cannot start does.
TEST_F(MainWindow, HelpAndTemplateFolderSayWhenTheLauncherFails)
{
    const QString home = dir.filePath(QStringLiteral("home"));
    const ScopedEnv dataHome("XDG_DATA_HOME", home.toUtf8());
    const ScopedEnv dataDirs("XDG_DATA_DIRS", dir.filePath(QStringLiteral("no-applications")).toUtf8());
    const ScopedEnv browser("BROWSER", QByteArray("false"));
    const ScopedEnv desktop("XDG_CURRENT_DESKTOP", QByteArray());
    const ScopedEnv display("DISPLAY", QByteArray());
    SmallBookWithPrint({11}, {});
    DlgMain& main = Open();
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("program/help")));
    Touch(QStringLiteral("program/help/index.html"));

    const auto waitForMessage = [&] {
        for (int i = 0; i < 1000 && sink.Messages().empty(); ++i)
            QTest::qWait(20);
    };
    main.ExecuteCommand(Res::ID_HELP_BROWSER);
    EXPECT_TRUE(sink.Messages().empty()); // not yet: the launcher runs
    waitForMessage();
    EXPECT_EQ(MessageTexts(), QStringList{"ヘルプの表示に失敗しました。"});

    sink.Clear();
    main.ExecuteCommand(Res::ID_TEMPLATE_FOLDER);
    waitForMessage();
    EXPECT_EQ(MessageTexts(),
        QStringList{QStringLiteral("雛形フォルダ\n%1\nを開けませんでした。")
                        .arg(home + QStringLiteral("/morvane-k/template"))});
}

TEST_F(MainWindow, UpdateCommandOpensTheDownloadPage)
{
    SmallBookWithPrint({11}, {});
    DlgMain& main = Open();
    QStringList opened;
    main.SetBrowserOpener([&](const QString& target, std::function<void(bool)> done) {
        opened << target;
        if (done)
            done(true);
    });
    main.UpdateNotifier().SetResult(QStringLiteral("https://example.com/tv/new"));
    EXPECT_EQ(MenuBarTitles().last(), QStringLiteral("最新版をご利用いただけます"));
    MenuBarTitles().last();
    main.menuBar()->actions().last()->trigger();
    EXPECT_EQ(opened, QStringList{"https://example.com/tv/new"});

    main.UpdateNotifier().SetResult(QString());
    EXPECT_EQ(MenuBarTitles().size(), 4); // the order menu of the "101" book stays
}

TEST_F(MainWindow, QuitStopsStatusOutputAndClosesTheWindow)
{
    SmallBookWithPrint({11}, {});
    DlgMain& main = Open();
    std::vector<int> exitCodes;
    main.SetQuitHandler([&](int code) { exitCodes.push_back(code); });
    main.show();
    main.ExecuteCommand(Res::ID_APP_EXIT);
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(exitCodes, std::vector<int>{1});
    ShowStatus(Res::IDS_CREATING_PRINTS);
    EXPECT_EQ(main.StatusText(), QStringLiteral("準備完了"));

    // The close box quits the same way.
    main.show();
    main.close();
    EXPECT_EQ(exitCodes, (std::vector<int>{1, 1}));
}
