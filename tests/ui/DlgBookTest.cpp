// The book dialog: the books of the database with the current one
// selected, and switching the model's book on OK or a double-click.
#include "ui/DlgBook.h"

#include "SelectionDialogFixture.h"
#include "quiz/View.h"
#include "res/ResourceIds.h"
#include "support/RecordingMessageSink.h"

#include <QFile>
#include <QListWidget>

namespace {

class CountingView : public View {
public:
    void UpdateView() override { ++updates; }
    int updates = 0;
};

class BookDialog : public SelectionDialogFixture {
protected:
    void SetUp() override
    {
        SelectionDialogFixture::SetUp();
        LoadTwoBooks();
        model.AddView(&view);
        model.SetQuestions({11});
        SetIndexRange({3});
        Quiz quiz = model.GetQuiz(0);
        quiz.AddSentence(S(51));
        model.SetQuiz(0, quiz);
        model.AddQuiz();
    }
    void TearDown() override { model.RemoveView(&view); }

    QListWidget& Books(DlgBook& dialog) { return dialog.List(); }

    CountingView view;
    // Answers the question asked before the prints are discarded.
    RecordingMessageSink asked;
};

} // namespace

TEST_F(BookDialog, ListsTheBooksAndOnOkSwitchesToTheChosenOneWithAFreshStart)
{
    DlgBook dialog(model);
    Show(dialog);
    QListWidget* list = Control<QListWidget>(dialog, Res::IDC_BOOK_LIST);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("テスト英単語 1"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("第二の本"));
    EXPECT_EQ(list->currentRow(), 0);

    list->setCurrentRow(1);
    Click(dialog, Res::IDOK);

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(model.Storage().CurrentBid(), 2);
    EXPECT_EQ(view.updates, 1);
    EXPECT_EQ(model.QuizCount(), 1);
    EXPECT_EQ(model.GetQuiz(0).SentenceCount(), 0);
    EXPECT_TRUE(model.CurrentRange().IsEmpty());
    EXPECT_EQ(model.SelectedQids(), (std::vector<int>{11}));
    ASSERT_EQ(asked.Messages().size(), 1u);
    EXPECT_EQ(asked.Messages()[0].text, QStringLiteral("作成中のプリントは破棄されます。よろしいですか？"));
}

TEST_F(BookDialog, NoToDiscardingThePrintsKeepsEverything)
{
    asked.QueueAnswer(false);
    DlgBook dialog(model);
    Show(dialog);
    Books(dialog).setCurrentRow(1);
    Click(dialog, Res::IDOK);

    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(model.Storage().CurrentBid(), 1);
    EXPECT_EQ(view.updates, 0);
    EXPECT_EQ(model.QuizCount(), 2);
    EXPECT_EQ(model.GetQuiz(0).SentenceCount(), 1);
    EXPECT_FALSE(model.CurrentRange().IsEmpty());

    // Without a sub-question nothing is lost, so nothing is asked.
    model.ReplaceQuizzes({});
    asked.Clear();
    DlgBook again(model);
    Show(again);
    Books(again).setCurrentRow(1);
    Click(again, Res::IDOK);
    EXPECT_EQ(model.Storage().CurrentBid(), 2);
    EXPECT_TRUE(asked.Messages().empty());
}

TEST_F(BookDialog, DoubleClickSwitchesAndCloses)
{
    DlgBook dialog(model);
    Show(dialog);
    QListWidget& list = Books(dialog);
    const QPoint second = list.visualItemRect(list.item(1)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, second);

    EXPECT_EQ(model.Storage().CurrentBid(), 2);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(BookDialog, TheCurrentBookOrCancelChangesNothing)
{
    {
        DlgBook dialog(model);
        Show(dialog);
        Click(dialog, Res::IDOK);
    }
    {
        DlgBook dialog(model);
        Show(dialog);
        Books(dialog).setCurrentRow(1);
        Click(dialog, Res::IDCANCEL);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_EQ(model.Storage().CurrentBid(), 1);
    EXPECT_EQ(view.updates, 0);
    EXPECT_EQ(model.QuizCount(), 2);
    EXPECT_EQ(model.GetQuiz(0).SentenceCount(), 1);
}

TEST_F(BookDialog, ABookThatCannotBeReadIsReportedAndTheCurrentOneKept)
{
    RecordingMessageSink messages;
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("b_main.db"))));
    DlgBook dialog(model);
    Show(dialog);
    Books(dialog).setCurrentRow(1);
    Click(dialog, Res::IDOK);

    EXPECT_EQ(model.Storage().CurrentBid(), 1);
    EXPECT_EQ(model.GetQuiz(0).SentenceCount(), 1);
    // Asked first whether the prints may go, then told the book failed.
    ASSERT_EQ(messages.Messages().size(), 2u);
    EXPECT_EQ(messages.Messages()[1].text, QStringLiteral("問題データベースの読み込みに失敗しました。"));
}

// Two book files that both call their book 1: each can be chosen, and the
// dialog marks the one in use.
TEST_F(SelectionDialogFixture, BooksOfTwoFilesWithTheSameBidAreTwoBooks)
{
    const QString a = BuildBook(QStringLiteral("a"), BookFixture::SmallBookSql());
    const QString b = BuildBook(
        QStringLiteral("b"), BookFixture::SmallBookSql(QStringLiteral("TV-TEST-2"), 1, QStringLiteral("第二の本")));
    ASSERT_TRUE(model.LoadBooks({a, b}));
    {
        DlgBook dialog(model);
        Show(dialog);
        ASSERT_EQ(dialog.List().count(), 2);
        dialog.List().setCurrentRow(1);
        Click(dialog, Res::IDOK);
    }
    ASSERT_NE(model.Storage().CurrentBook(), nullptr);
    EXPECT_EQ(model.Storage().CurrentBook()->path, b);
    EXPECT_EQ(model.Db().Dbid(), QStringLiteral("TV-TEST-2"));
    EXPECT_EQ(model.RangeLine(), QStringLiteral("（第二の本／）"));
    {
        DlgBook dialog(model);
        Show(dialog);
        EXPECT_EQ(dialog.List().currentRow(), 1);
        dialog.List().setCurrentRow(0);
        Click(dialog, Res::IDOK);
    }
    EXPECT_EQ(model.Storage().CurrentBook()->path, a);
    EXPECT_EQ(model.Db().Dbid(), QStringLiteral("TV-TEST-1"));
}

TEST_F(SelectionDialogFixture, BookDialogWithoutABookDatabaseListsNothing)
{
    DlgBook dialog(model);
    Show(dialog);
    EXPECT_EQ(Control<QListWidget>(dialog, Res::IDC_BOOK_LIST)->count(), 0);
    Click(dialog, Res::IDOK);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}
