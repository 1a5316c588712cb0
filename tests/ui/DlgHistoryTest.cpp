#include "SelectionDialogFixture.h"

#include "history/HistoryStore.h"
#include "quiz/NodeSerializer.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "res/UiText.h"
#include "support/RecordingMessageSink.h"
#include "ui/DlgCoverage.h"
#include "ui/DlgHistory.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTreeWidget>

namespace {

// A history of three runs: two of the small book and one of the second
// book, made through the model as the window makes them.
class DlgHistoryTest : public SelectionDialogFixture {
protected:
    void SetUp() override
    {
        SelectionDialogFixture::SetUp();
        LoadTwoBooks();
        model.SetQuestions({12, 11});
        SetIndexRange({3, 4});
        Quiz first = model.GetQuiz(0);
        for (int sid : {61, 52, 51})
            first.AddSentence(S(sid));
        model.SetQuiz(0, first);
        model.AddQuiz();
        Quiz second = model.GetQuiz(1);
        second.AddSentence(S(52));
        model.SetQuiz(1, second);
        recorded = RunRecord::FromModel(model, QStringLiteral("yoko.dot"), QString());
        recordedPrints = NodeSerializer(model).to_str(model.Quizzes());
        smallRun = store.Record(recorded);
        RunRecord lost = recorded;
        lost.printList[1].items.push_back({11, QStringLiteral("英語に"), 9999, 299, QStringLiteral("cat"), 2});
        lostRun = store.Record(lost);
        ASSERT_EQ(model.SelectBook(2), 0);
        otherRun = store.Record(RunRecord::FromModel(model, QString(), QString()));
    }

    QString Prints() { return NodeSerializer(model).to_str(model.Quizzes()); }

    QTemporaryDir historyDir;
    QString file = historyDir.filePath(QStringLiteral("tv_history.db"));
    HistoryStore store{file};
    RunRecord recorded;
    QString recordedPrints;
    long long smallRun = 0;
    long long lostRun = 0;
    long long otherRun = 0;
    RecordingMessageSink messages;
};

TEST_F(DlgHistoryTest, ListsRunsNewestFirstAndFiltersByBook)
{
    DlgHistory dialog(model, file);
    Show(dialog);
    // The current book's runs first.
    EXPECT_EQ(dialog.BookFilter().currentText(), QStringLiteral("第二の本"));
    EXPECT_EQ(dialog.Runs().topLevelItemCount(), 1);
    dialog.BookFilter().setCurrentIndex(0);
    ASSERT_EQ(dialog.Runs().topLevelItemCount(), 3);
    EXPECT_EQ(dialog.SelectedRun(), otherRun);
    const QTreeWidgetItem* small = dialog.Runs().topLevelItem(2);
    EXPECT_EQ(small->text(2), QStringLiteral("テスト英単語 1"));
    EXPECT_EQ(small->text(3), QStringLiteral("2"));
    EXPECT_EQ(small->text(4), QStringLiteral("日本語に、英語に"));
    EXPECT_EQ(small->text(6), QStringLiteral("4"));
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(DlgHistoryTest, OpenPutsTheRunBackExactly)
{
    DlgHistory dialog(model, file);
    Show(dialog);
    dialog.BookFilter().setCurrentIndex(0);
    dialog.SelectRun(smallRun);
    QPushButton* open = nullptr;
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == Res::Text::HistoryOpen)
            open = button;
    }
    ASSERT_NE(open, nullptr);
    QTest::mouseClick(open, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(model.Storage().CurrentBid(), 1);
    EXPECT_EQ(model.SelectedQids(), (std::vector<int>{12, 11}));
    EXPECT_EQ(NodeSerializer(model).to_str(model.CurrentRange()), QStringLiteral("1:3,4"));
    EXPECT_EQ(Prints(), recordedPrints);
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(DlgHistoryTest, OpenListsWhatTheBookNoLongerHasAndRefusesAMissingBook)
{
    DlgHistory dialog(model, file);
    dialog.BookFilter().setCurrentIndex(0);
    dialog.SelectRun(lostRun);
    ASSERT_TRUE(dialog.OpenSelected());
    EXPECT_EQ(Prints(), recordedPrints); // everything else is back
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_TRUE(messages.Messages()[0].text.contains(QStringLiteral("プリント2")));
    EXPECT_TRUE(messages.Messages()[0].text.contains(QStringLiteral("cat（文ID 9999）")));

    RunRecord gone = recorded;
    gone.dbid = QStringLiteral("TV-GONE");
    gone.bookTitle = QStringLiteral("なくなった本");
    const long long goneRun = store.Record(gone);
    ASSERT_EQ(model.SelectBook(2), 0);
    DlgHistory again(model, file);
    again.BookFilter().setCurrentIndex(0);
    again.SelectRun(goneRun);
    messages.Clear();
    EXPECT_FALSE(again.OpenSelected());
    EXPECT_EQ(model.Storage().CurrentBid(), 2);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_TRUE(messages.Messages()[0].text.contains(QStringLiteral("なくなった本")));
}

TEST_F(DlgHistoryTest, NamedRunsStayAndDeletingAsksFirst)
{
    DlgHistory dialog(model, file);
    dialog.BookFilter().setCurrentIndex(0);
    dialog.SelectRun(smallRun);
    ASSERT_TRUE(dialog.NameSelected(QStringLiteral(" 1学期 再テスト ")));
    EXPECT_EQ(dialog.SelectedRun(), smallRun);
    EXPECT_EQ(store.Run(smallRun)->name, QStringLiteral("1学期 再テスト"));

    messages.QueueAnswer(false);
    EXPECT_FALSE(dialog.DeleteSelected());
    EXPECT_TRUE(store.Run(smallRun));
    messages.QueueAnswer(true);
    EXPECT_TRUE(dialog.DeleteSelected());
    EXPECT_FALSE(store.Run(smallRun));
    EXPECT_EQ(dialog.Runs().topLevelItemCount(), 2);
    ASSERT_EQ(messages.Messages().size(), 2u);
    EXPECT_EQ(messages.Messages()[0].text, Res::String(Res::IDS_CONFIRM_DELETE_RUN));
}

TEST_F(DlgHistoryTest, CoverageShowsTestedKeywordsPerEntryAndCsvOpensInASpreadsheet)
{
    ASSERT_EQ(model.SelectBook(1), 0);
    DlgCoverage coverage(model, store);
    QTreeWidget& rows = coverage.Rows();
    QStringList shown;
    for (int i = 0; i < rows.topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = rows.topLevelItem(i);
        shown << row->text(0).trimmed() + u'/' + row->text(1) + u'/' + row->text(2);
    }
    // Keywords 201 ("1-A") and 202 ("1-B") were tested, 203 ("Lesson 2") not.
    EXPECT_TRUE(shown.contains(QStringLiteral("1-A/1/1"))) << shown.join(u' ').toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("1-B/1/1")));
    EXPECT_TRUE(shown.contains(QStringLiteral("Lesson 2/1/0")));

    DlgHistory dialog(model, file);
    const QString csv = historyDir.filePath(QStringLiteral("出題履歴.csv"));
    ASSERT_TRUE(dialog.ExportCsv(csv));
    QFile written(csv);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF\"実行ID\""));
    EXPECT_EQ(bytes.count("\r\n"), 1 + 4 + 5);
    EXPECT_FALSE(dialog.ExportCsv(historyDir.path())); // a folder: told, nothing written
    EXPECT_EQ(messages.Messages().size(), 1u);
}

} // namespace
