// The question-format dialog over the small book: which formats it lists
// and ticked, what the arrows do, and what OK makes of the prints.
#include "ui/DlgQuestion.h"

#include "SelectionDialogFixture.h"
#include "print/Parser.h"
#include "res/ResourceIds.h"
#include "ui/GaijiListViewCtrl.h"

#include <QHeaderView>

namespace {

const QString ToEnglish = QStringLiteral("次の日本語を英語にしなさい。");  // qid 11
const QString ToJapanese = QStringLiteral("次の英文を日本語にしなさい。"); // qid 12
const QString FillIn = QStringLiteral("空所に入る語を書きなさい。");       // qid 13

class QuestionDialog : public SelectionDialogFixture {
protected:
    void SetUp() override
    {
        SelectionDialogFixture::SetUp();
        LoadSmallBook();
        model.SetQuestions({12, 11});
        Quiz quiz = model.GetQuiz(0);
        quiz.AddSentence(S(51));
        quiz.AddSentence(S(61));
        model.SetQuiz(0, quiz);
        dialog = std::make_unique<DlgQuestion>(model);
        Show(*dialog);
    }

    GaijiListViewCtrl& List() { return dialog->List(); }

    std::vector<int> RowQids()
    {
        std::vector<int> qids;
        for (int row = 0; row < List().RowCount(); ++row)
            qids.push_back(List().RowData(row).toInt());
        return qids;
    }
    std::vector<bool> RowTicks()
    {
        std::vector<bool> ticks;
        for (int row = 0; row < List().RowCount(); ++row)
            ticks.push_back(List().IsChecked(row));
        return ticks;
    }

    void ClickBox(int row)
    {
        QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, List().CheckBoxRect(row).center());
    }
    void SelectAndMove(int row, int arrowId)
    {
        List().SelectRow(row);
        Click(*dialog, arrowId);
    }

    std::vector<int> UnitQids(int print)
    {
        std::vector<int> qids;
        const Quiz quiz = model.GetQuiz(print);
        for (const QuestionUnit& unit : quiz.Units())
            qids.push_back(unit.QuestionId());
        return qids;
    }

    // Everything the print run would write as plain text, in order.
    QString PrintedText()
    {
        Print::CmdList commands;
        Print::Parser().Parse(commands, model.Quizzes());
        QString text;
        for (const Print::CmdPtr& command : commands) {
            if (command->kind == Print::Text)
                text += command->text;
        }
        return text;
    }

    std::unique_ptr<DlgQuestion> dialog;
};

} // namespace

TEST_F(QuestionDialog, ListsTheSelectedFormatsFirstTickedThenTheOthers)
{
    EXPECT_EQ(RowQids(), (std::vector<int>{12, 11, 13}));
    EXPECT_EQ(RowTicks(), (std::vector<bool>{true, true, false}));
    EXPECT_EQ(List().CellText(0, 0), QStringLiteral("日本語に"));
    EXPECT_EQ(List().CellText(0, 1), ToJapanese);
    EXPECT_EQ(List().headerItem()->text(0), QStringLiteral("形式"));
    EXPECT_EQ(List().headerItem()->text(1), QStringLiteral("設問文"));
}

TEST_F(QuestionDialog, ArrowsMoveTheWholeRowAndStopAtTheEnds)
{
    SelectAndMove(2, Res::IDC_QUESTION_UP);
    EXPECT_EQ(RowQids(), (std::vector<int>{12, 13, 11}));
    EXPECT_EQ(RowTicks(), (std::vector<bool>{true, false, true}));
    EXPECT_EQ(List().CellText(1, 1), FillIn);
    EXPECT_EQ(List().SelectedRow(), 1);

    Click(*dialog, Res::IDC_QUESTION_UP);
    Click(*dialog, Res::IDC_QUESTION_UP); // already at the top
    EXPECT_EQ(RowQids(), (std::vector<int>{13, 12, 11}));
    EXPECT_EQ(List().SelectedRow(), 0);

    SelectAndMove(2, Res::IDC_QUESTION_DOWN); // already at the bottom
    EXPECT_EQ(RowQids(), (std::vector<int>{13, 12, 11}));
    EXPECT_EQ(RowTicks(), (std::vector<bool>{false, true, true}));
    EXPECT_EQ(List().SelectedRow(), 2);

    List().clearSelection();
    Click(*dialog, Res::IDC_QUESTION_DOWN);
    EXPECT_EQ(RowQids(), (std::vector<int>{13, 12, 11}));
}

// The first arrow key chooses the row that has the focus, the first one,
// and shows it, instead of passing over it; the next one moves on.
TEST_F(QuestionDialog, FirstArrowKeyChoosesTheFirstRowAndShowsIt)
{
    List().setFocus();
    QTest::keyClick(&List(), Qt::Key_Down);
    EXPECT_EQ(List().SelectedRow(), 0);
    EXPECT_TRUE(List().viewport()->rect().contains(List().visualRect(List().currentIndex())));
    QTest::keyClick(&List(), Qt::Key_Down);
    EXPECT_EQ(List().SelectedRow(), 1);
}

TEST_F(QuestionDialog, ReorderingOnOkReordersTheFormatsInEveryPrint)
{
    model.AddQuiz();
    ASSERT_LT(PrintedText().indexOf(ToJapanese), PrintedText().indexOf(ToEnglish));

    SelectAndMove(1, Res::IDC_QUESTION_UP);
    ClickBox(2); // adds 13 at the end
    Click(*dialog, Res::IDOK);

    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(model.SelectedQids(), (std::vector<int>{11, 12, 13}));
    for (int print = 0; print < model.QuizCount(); ++print)
        EXPECT_EQ(UnitQids(print), (std::vector<int>{11, 12, 13})) << "print " << print;
    // The chosen sub-questions stay with their formats.
    EXPECT_TRUE(model.GetQuiz(0).UnitFor(11).HasSentence(51));
    EXPECT_TRUE(model.GetQuiz(0).UnitFor(12).HasSentence(61));
    const QString printed = PrintedText();
    EXPECT_LT(printed.indexOf(ToEnglish), printed.indexOf(ToJapanese));
    EXPECT_LT(printed.indexOf(ToJapanese), printed.indexOf(FillIn));
}

TEST_F(QuestionDialog, UntickingEveryFormatLeavesNoneSelected)
{
    ClickBox(0);
    ClickBox(1);
    Click(*dialog, Res::IDOK);

    EXPECT_TRUE(model.SelectedQids().empty());
    EXPECT_TRUE(model.GetQuiz(0).Units().empty());
}

TEST_F(QuestionDialog, GrowsItsListAndSharesTheHeightBetweenTheArrows)
{
    const QSize first = dialog->size();
    QWidget* up = Control(*dialog, Res::IDC_QUESTION_UP);
    QWidget* down = Control(*dialog, Res::IDC_QUESTION_DOWN);
    const int listWidth = List().width();
    const int arrowHeight = up->height();
    const int arrowX = up->x();
    const int gap = down->y() - up->geometry().bottom();

    dialog->resize(first + QSize(100, 60));
    QApplication::processEvents();

    EXPECT_EQ(List().width(), listWidth + 100);
    EXPECT_EQ(up->height() + down->height(), 2 * arrowHeight + 60);
    EXPECT_EQ(down->y() - up->geometry().bottom(), gap);
    EXPECT_EQ(up->x(), arrowX + 100);
    EXPECT_EQ(down->x(), arrowX + 100);
    // The instruction column takes what the format column leaves.
    EXPECT_GT(List().columnWidth(1), 200);

    dialog->resize(first - QSize(50, 50));
    QApplication::processEvents();
    EXPECT_EQ(dialog->size(), first);
}
