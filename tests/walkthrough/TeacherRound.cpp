// A teacher's whole round through the real program under a display (run it
// with scripts/walkthrough.sh, which starts a virtual X server): the start-up
// objects of the program, the main window and its real dialogs, driven by
// mouse and keyboard as a teacher would, and a print run into the real
// Writer. Every step leaves a picture NN-step.png in the output folder
// (TV_WALK_DIR, else <build>/walkthrough). Message boxes that come up on
// the way are pictured, logged and answered with their default button.
//
// Not part of the ordinary test run: it needs a display and a word
// processor, and takes about a minute.
#include "app/Application.h"
#include "automation/office/OfficeBackends.h"
#include "automation/office/OfficeSession.h"
#include "automation/office/UnoStrings.h"
#include "model/NodeStorage.h"
#include "model/Question.h"
#include "quiz/Model.h"
#include "quiz/Quiz.h"
#include "res/ResourceIds.h"
#include "ui/CWndTabCtrl.h"
#include "ui/CheckTreeListViewCtrl.h"
#include "ui/ControlId.h"
#include "ui/DlgAuto.h"
#include "ui/DlgBook.h"
#include "ui/DlgMain.h"
#include "ui/DlgPrint.h"
#include "ui/DlgQuestion.h"
#include "ui/DlgRange.h"
#include "ui/DlgRangeIndex.h"
#include "ui/DlgSentence.h"
#include "ui/GaijiListViewCtrl.h"
#include "ui/ListViewCtrl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>

using namespace css;

namespace {

// Where the pictures go, numbered in the order they are taken.
class Pictures {
public:
    Pictures()
        : folder_(qEnvironmentVariableIsEmpty("TV_WALK_DIR") ? QStringLiteral(TV_BUILD_DIR "/walkthrough")
                                                             : qEnvironmentVariable("TV_WALK_DIR"))
    {
        QDir().mkpath(folder_);
    }

    // The widget as it shows now (its window without the frame).
    void Take(QWidget* widget, const QString& step)
    {
        QApplication::processEvents();
        Save(widget->grab(), step);
    }

    // The whole screen: other programs' windows (the word processor) too.
    void TakeScreen(const QString& step)
    {
        QApplication::processEvents();
        Save(QGuiApplication::primaryScreen()->grabWindow(0), step);
    }

    const QString& Folder() const { return folder_; }

private:
    void Save(const QPixmap& picture, const QString& step)
    {
        const QString path
            = QStringLiteral("%1/%2-%3.png").arg(folder_).arg(++count_, 2, 10, QLatin1Char('0')).arg(step);
        EXPECT_TRUE(picture.save(path)) << path.toStdString();
        std::printf("picture: %s\n", qPrintable(path));
        std::fflush(stdout);
    }

    QString folder_;
    int count_ = 0;
};

template <typename T = QWidget>
T* Control(const QWidget* dialog, int id)
{
    T* control = FindControl<T>(dialog, id);
    EXPECT_NE(control, nullptr) << "control " << id;
    return control;
}

void Click(const QWidget* dialog, int id)
{
    if (auto* button = Control<QAbstractButton>(dialog, id))
        QTest::mouseClick(button, Qt::LeftButton);
}

// Replaces the text of a field as the teacher types it.
void TypeInto(QLineEdit* field, const QString& text)
{
    ASSERT_NE(field, nullptr);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
}

// Runs `action` on the next modal dialog of type T once it is shown and
// has painted. The dialog must be closed by the action; one left open is
// cancelled so that the round goes on. The answer tells, once the command
// that opens the dialog has returned, whether the dialog came up (asking
// stops the waiting).
class ModalStep {
public:
    template <typename T>
    static std::shared_ptr<ModalStep> OnNext(std::function<void(T*)> action)
    {
        auto step = std::make_shared<ModalStep>();
        auto poll = std::make_shared<std::function<void()>>();
        *poll = [step, poll, action]() {
            if (step->abandoned_)
                return;
            auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible()) {
                QTimer::singleShot(50, *poll);
                return;
            }
            step->seen_ = true;
            QTimer::singleShot(300, dialog, [dialog, action]() {
                action(dialog);
                if (dialog->isVisible()) {
                    ADD_FAILURE() << dialog->metaObject()->className() << " was left open";
                    dialog->reject();
                }
            });
        };
        QTimer::singleShot(0, *poll);
        return step;
    }

    bool CameUp()
    {
        abandoned_ = true;
        return seen_;
    }

private:
    bool seen_ = false;
    bool abandoned_ = false;
};

// Answers every message box that comes up with its default button after
// taking its picture; what they said is kept.
class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(Pictures& pictures)
        : pictures_(pictures)
    {
        timer_.setInterval(100);
        QObject::connect(&timer_, &QTimer::timeout, [this]() { Check(); });
        timer_.start();
    }

    const QStringList& Texts() const { return texts_; }

private:
    void Check()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || box == answering_)
            return;
        answering_ = box;
        QTimer::singleShot(300, box, [this, box]() {
            texts_ << box->text();
            std::printf("message box: %s\n", qPrintable(box->text()));
            pictures_.Take(box, QStringLiteral("message"));
            if (QAbstractButton* button = box->defaultButton())
                button->click();
            else
                box->accept();
        });
    }

    Pictures& pictures_;
    QTimer timer_;
    QMessageBox* answering_ = nullptr;
    QStringList texts_;
};

// A row of a check list: its box clicked as the teacher does.
void ClickBox(GaijiListViewCtrl& list, int row)
{
    list.scrollToItem(list.topLevelItem(row));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.CheckBoxRect(row).center());
}

void ClickBox(CheckTreeListViewCtrl& list, int row)
{
    list.scrollToItem(list.topLevelItem(row));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.CheckBoxRect(row).center());
}

struct WrittenDocument {
    int paragraphs = 0;
    QString text; // paragraphs joined by "\n"
};

// The text documents open in the office, as the office has them.
std::vector<WrittenDocument> OpenDocuments()
{
    std::vector<WrittenDocument> result;
    const auto desktop = Office::OfficeSession::Shared()->Desktop("walkthrough");
    const auto components = desktop->getComponents()->createEnumeration();
    while (components->hasMoreElements()) {
        uno::Reference<text::XTextDocument> document(components->nextElement(), uno::UNO_QUERY);
        if (!document.is())
            continue;
        WrittenDocument written;
        const auto paragraphs = uno::Reference<container::XEnumerationAccess>(document->getText(), uno::UNO_QUERY_THROW)
                                    ->createEnumeration();
        while (paragraphs->hasMoreElements()) {
            uno::Reference<text::XTextRange> paragraph(paragraphs->nextElement(), uno::UNO_QUERY);
            if (!paragraph.is())
                continue; // a table
            ++written.paragraphs;
            written.text += Office::ToQString(paragraph->getString()) + u'\n';
        }
        result.push_back(written);
    }
    return result;
}

void CloseOpenDocuments()
{
    const auto desktop = Office::OfficeSession::Shared()->Desktop("walkthrough");
    const auto components = desktop->getComponents()->createEnumeration();
    while (components->hasMoreElements()) {
        uno::Reference<util::XCloseable> closeable(components->nextElement(), uno::UNO_QUERY);
        if (closeable.is())
            closeable->close(true);
    }
}

class TeacherRound : public ::testing::Test {
protected:
    void SetUp() override
    {
        Office::OfficeSession::Options options = Office::OfficeSession::DefaultOptions();
        options.profileDir = pictures.Folder() + QStringLiteral("/office-profile");
        Office::OfficeSession::ConfigureShared(options);
    }

    void TearDown() override
    {
        auto session = Office::OfficeSession::Shared();
        if (session->IsAlive())
            CloseOpenDocuments();
        session->Terminate();
    }

    // The whole round, inside the program's event loop.
    void Round()
    {
        MessageBoxWatcher messages(pictures);
        window->resize(900, 640);
        QTest::qWait(500);
        pictures.Take(window, QStringLiteral("start"));

        // A step that could not be done ends the round.
        const std::vector<void (TeacherRound::*)()> steps = {&TeacherRound::ChooseBook,
            &TeacherRound::ChooseQuestionFormats, &TeacherRound::ChooseRange, &TeacherRound::SelectAutomatically,
            &TeacherRound::LookAtPrints, &TeacherRound::ChangeSubQuestions, &TeacherRound::CreatePrints};
        for (const auto step : steps) {
            (this->*step)();
            if (HasFatalFailure())
                break;
        }

        std::printf("message boxes on the way: %d\n", static_cast<int>(messages.Texts().size()));
        window->close();
    }

    void ChooseBook()
    {
        const auto step = ModalStep::OnNext<DlgBook>([this](DlgBook* dialog) {
            QListWidget& list = dialog->List();
            const auto found = list.findItems(QStringLiteral("漢字の読み書き"), Qt::MatchStartsWith);
            ASSERT_EQ(found.size(), 1);
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(found[0]).center());
            pictures.Take(dialog, QStringLiteral("book-dialog"));
            Click(dialog, Res::IDOK);
        });
        Click(window, Res::IDC_CHANGE_BOOK);
        ASSERT_TRUE(step->CameUp());
        EXPECT_EQ(model->Storage().CurrentBid(), 332);
        pictures.Take(window, QStringLiteral("book-chosen"));
    }

    void ChooseQuestionFormats()
    {
        const auto step = ModalStep::OnNext<DlgQuestion>([this](DlgQuestion* dialog) {
            pictures.Take(dialog, QStringLiteral("formats-dialog"));
            GaijiListViewCtrl& list = dialog->List();
            for (int row = 0; row < list.RowCount(); ++row) {
                if (!list.IsChecked(row))
                    ClickBox(list, row);
            }
            pictures.Take(dialog, QStringLiteral("formats-ticked"));
            Click(dialog, Res::IDOK);
        });
        Click(window, Res::IDC_SELECT_QUESTIONS);
        ASSERT_TRUE(step->CameUp());
        EXPECT_EQ(model->SelectedQids().size(), model->Storage().Questions().size());
        pictures.Take(window, QStringLiteral("formats-chosen"));
    }

    // Units "1 生活の漢字①" and "2 生活の漢字②" of the contents.
    void ChooseRange()
    {
        const auto step = ModalStep::OnNext<DlgRange>([this](DlgRange* dialog) {
            EXPECT_EQ(dialog->Tabs().currentIndex(), DlgRange::IndexTab);
            pictures.Take(dialog, QStringLiteral("range-dialog"));
            DlgRangeIndex& page = dialog->IndexPage();
            for (int iid : {4, 5}) {
                const int row = page.RowOf(iid);
                EXPECT_GE(row, 0) << "entry " << iid;
                if (row >= 0)
                    ClickBox(page.List(), row);
            }
            EXPECT_EQ(page.ChosenIndexIds(), (std::vector<int>{4, 5}));
            pictures.Take(dialog, QStringLiteral("range-ticked"));
            Click(dialog, Res::IDOK);
        });
        Click(window, Res::IDC_SELECT_RANGE);
        ASSERT_TRUE(step->CameUp());
        std::vector<const Keyword*> keywords;
        EXPECT_GT(model->InRangeKeywords(keywords), 0);
        pictures.Take(window, QStringLiteral("range-chosen"));
    }

    void SelectAutomatically()
    {
        const auto step = ModalStep::OnNext<DlgAuto>([this](DlgAuto* dialog) {
            pictures.Take(dialog, QStringLiteral("auto-dialog"));
            TypeInto(Control<QLineEdit>(dialog, Res::IDC_CLASS_COUNT), QStringLiteral("3"));
            TypeInto(Control<QLineEdit>(dialog, Res::IDC_BULK_COUNT), QStringLiteral("4"));
            Click(dialog, Res::IDC_APPLY_ALL);
            pictures.Take(dialog, QStringLiteral("auto-set"));
            Click(dialog, Res::IDOK);
        });
        QElapsedTimer clock;
        clock.start();
        Click(window, Res::IDC_AUTO_SELECT);
        ASSERT_TRUE(step->CameUp());
        std::printf("automatic selection (with its dialog): %lld ms\n", static_cast<long long>(clock.elapsed()));
        EXPECT_EQ(model->QuizCount(), 3);
        EXPECT_EQ(window->PageCount(), 3);
    }

    void LookAtPrints()
    {
        for (int index = 0; index < window->PageCount(); ++index) {
            window->Tabs().SetCurrentTab(index);
            const Quiz quiz = model->GetQuiz(index);
            EXPECT_FALSE(quiz.Units().empty());
            pictures.Take(window, QStringLiteral("print%1").arg(index + 1));
        }
        window->Tabs().SetCurrentTab(0);
    }

    // A double-click on the first header row opens the sub-questions of
    // its format: the teacher swaps the last chosen one for the first
    // candidate not chosen.
    void ChangeSubQuestions()
    {
        DlgPrint* page = window->Page(0);
        ASSERT_NE(page, nullptr);
        ListViewCtrl& list = page->List();
        ASSERT_GT(list.RowCount(), 0);
        const Quiz before = model->GetQuiz(0);
        const auto step = ModalStep::OnNext<DlgSentence>([this](DlgSentence* dialog) {
            pictures.Take(dialog, QStringLiteral("subquestions-dialog"));
            GaijiListViewCtrl& rows = dialog->List();
            int lastTicked = -1;
            int firstUnticked = -1;
            for (int row = 0; row < rows.RowCount(); ++row) {
                if (rows.IsChecked(row))
                    lastTicked = row;
                else if (firstUnticked < 0)
                    firstUnticked = row;
            }
            ASSERT_GE(lastTicked, 0);
            ASSERT_GE(firstUnticked, 0) << "no candidate left to add";
            ClickBox(rows, lastTicked);
            ClickBox(rows, firstUnticked);
            pictures.Take(dialog, QStringLiteral("subquestions-changed"));
            Click(dialog, Res::IDOK);
        });
        // A double-click as the window system delivers it: press, release, double-click.
        const QPoint header = list.visualItemRect(list.topLevelItem(0)).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, header);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, header);
        ASSERT_TRUE(step->CameUp());
        const Quiz after = model->GetQuiz(0);
        ASSERT_FALSE(after.Units().empty());
        EXPECT_EQ(after.Units().front().Sentences().size(), before.Units().front().Sentences().size());
        EXPECT_NE(after.Units().front().Sentences(), before.Units().front().Sentences());
        pictures.Take(window, QStringLiteral("print1-changed"));
    }

    void CreatePrints()
    {
        // The window while the run goes on: the status bar says so.
        QTimer whileCreating;
        bool pictured = false;
        QObject::connect(&whileCreating, &QTimer::timeout, [this, &pictured]() {
            if (!pictured && window->StatusText() != QStringLiteral("準備完了")) {
                pictured = true;
                pictures.Take(window, QStringLiteral("creating"));
            }
        });
        whileCreating.start(50);
        QElapsedTimer clock;
        clock.start();
        Click(window, Res::IDC_CREATE_PRINT);
        while (window->IsPrintRunning()) // the run goes on its own thread
            QTest::qWait(20);
        std::printf("print run: %lld ms\n", static_cast<long long>(clock.elapsed()));
        whileCreating.stop();
        EXPECT_TRUE(pictured) << "the status bar never said that prints are being made";
        pictures.Take(window, QStringLiteral("created"));
        QTest::qWait(3000); // the word processor's window comes up
        pictures.TakeScreen(QStringLiteral("writer"));

        const std::vector<WrittenDocument> documents = OpenDocuments();
        ASSERT_EQ(documents.size(), 1u);
        const WrittenDocument& written = documents.front();
        std::printf("written document: %d paragraphs\n", written.paragraphs);
        EXPECT_GT(written.paragraphs, 20);
        // Each print shows each format's instruction in both halves.
        const QString instruction = model->Storage().Questions().front()->question;
        EXPECT_GE(written.text.count(instruction), 3) << written.text.left(2000).toStdString();
        EXPECT_FALSE(written.text.contains(QStringLiteral("@title")));
        EXPECT_FALSE(written.text.contains(QStringLiteral("@range")));
        QFile dump(pictures.Folder() + QStringLiteral("/document.txt"));
        if (dump.open(QIODevice::WriteOnly))
            dump.write(written.text.toUtf8());
    }

    Pictures pictures;
    DlgMain* window = nullptr;
    Model* model = nullptr;
};

} // namespace

TEST_F(TeacherRound, FromBookToWrittenPrints)
{
    Application application;
    // The office linked into this program (the session configured above),
    // not the program's run-time module, which would have a session of its own.
    application.SetCreatorSource([] {
        Office::RegisterBackends();
        return Application::WordProcessorCreators();
    });
    application.SetBackgroundStart(&Office::StartOfficeInBackground);
    application.SetWindowHook([this](Application& app, DlgMain& main) {
        window = &main;
        model = app.GetModel();
        QTimer::singleShot(0, &main, [this]() { Round(); });
    });
    QElapsedTimer clock;
    clock.start();
    const int result = application.Run();
    std::printf("whole run: %lld ms\n", static_cast<long long>(clock.elapsed()));
    EXPECT_EQ(result, 1) << "the run stopped during start-up";
}
