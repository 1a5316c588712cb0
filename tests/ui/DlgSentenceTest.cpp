// The sub-question dialog: the unit's sentences first and ticked, the
// other candidates of the range after them, and the chosen sentences in
// the order the teacher leaves them.
#include "ui/DlgSentence.h"

#include "SelectionDialogFixture.h"
#include "model/Sentence.h"
#include "res/ResourceIds.h"
#include "support/SampleBooks.h"
#include "ui/GaijiListViewCtrl.h"

#include <QCheckBox>
#include <QLineEdit>

#include <memory>

namespace {

// Small book, question 11: sentences 51 (keyword 201, entry 3, sort 30),
// 52 (202, entry 4, sort 10), 53 (203, entry 5, from outside the book body).
class SentenceDialog : public SelectionDialogFixture {
protected:
    void SetUp() override
    {
        SelectionDialogFixture::SetUp();
        LoadSmallBook();
        model.SetQuestions({11, 12});
    }

    // Opens the dialog for question 11 of a print holding `sids`.
    DlgSentence& Open(const std::vector<int>& sids)
    {
        Quiz quiz = model.GetQuiz(0);
        for (int sid : sids)
            quiz.AddSentence(S(sid));
        model.SetQuiz(0, quiz);
        dialog = std::make_unique<DlgSentence>(model, model.GetQuiz(0).UnitFor(11));
        Show(*dialog);
        return *dialog;
    }

    GaijiListViewCtrl& List() { return dialog->List(); }

    std::vector<int> RowSids()
    {
        std::vector<int> sids;
        for (int row = 0; row < List().RowCount(); ++row)
            sids.push_back(List().RowData(row).value<const Sentence*>()->sid);
        return sids;
    }
    std::vector<bool> RowTicks()
    {
        std::vector<bool> ticks;
        for (int row = 0; row < List().RowCount(); ++row)
            ticks.push_back(List().IsChecked(row));
        return ticks;
    }
    std::vector<int> ChosenSids()
    {
        std::vector<int> sids;
        for (const Sentence* sentence : dialog->Sentences())
            sids.push_back(sentence->sid);
        return sids;
    }

    void ClickBox(int row)
    {
        QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, List().CheckBoxRect(row).center());
    }

    std::unique_ptr<DlgSentence> dialog;
};

} // namespace

TEST_F(SentenceDialog, ShowsTheInstructionAndTheUnitBeforeTheOtherCandidates)
{
    SetIndexRange({3, 4});
    Open({51});

    EXPECT_EQ(
        Control<QLineEdit>(*dialog, Res::IDC_INSTRUCTION)->text(), QStringLiteral("次の日本語を英語にしなさい。"));
    EXPECT_TRUE(Control<QLineEdit>(*dialog, Res::IDC_INSTRUCTION)->isReadOnly());
    // An instruction longer than the field shows its beginning.
    EXPECT_EQ(Control<QLineEdit>(*dialog, Res::IDC_INSTRUCTION)->cursorPosition(), 0);
    EXPECT_FALSE(Control<QCheckBox>(*dialog, Res::IDC_SELECT_ALL)->isVisible());
    EXPECT_EQ(RowSids(), (std::vector<int>{51, 52}));
    EXPECT_EQ(RowTicks(), (std::vector<bool>{true, false}));
    // The rows of a "101" book: headword, No., page, question.
    EXPECT_EQ(List().ColumnCount(), 4);
    EXPECT_EQ(List().CellText(1, 0), QStringLiteral("book"));
    EXPECT_EQ(List().CellText(1, 3), QStringLiteral("本を読む。"));
}

TEST_F(SentenceDialog, KeepsASentenceTheRangeNoLongerAdmitsTickedAtTheTop)
{
    SetIndexRange({3, 4});
    Quiz quiz = model.GetQuiz(0);
    quiz.AddSentence(S(51));
    model.SetQuiz(0, quiz);
    SetIndexRange({4}); // keyword 201 of sentence 51 has left the range

    Open({});
    EXPECT_EQ(RowSids(), (std::vector<int>{51, 52}));
    EXPECT_EQ(RowTicks(), (std::vector<bool>{true, false}));
    EXPECT_EQ(ChosenSids(), (std::vector<int>{51}));

    // Unticking it drops it from the result; ticking the candidate adds it.
    ClickBox(0);
    ClickBox(1);
    Click(*dialog, Res::IDOK);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(ChosenSids(), (std::vector<int>{52}));
    EXPECT_FALSE(dialog->ResultUnit().HasSentence(51));
}

TEST_F(SentenceDialog, ReturnsTheTickedSentencesInTheOrderLeftByTheArrows)
{
    SetIndexRange({3, 4});
    Open({51});
    ClickBox(1); // 52
    List().SelectRow(1);
    Click(*dialog, Res::IDC_SENTENCE_UP);
    Click(*dialog, Res::IDC_SENTENCE_UP); // at the top: stays
    EXPECT_EQ(RowSids(), (std::vector<int>{52, 51}));
    EXPECT_EQ(List().CellText(0, 3), QStringLiteral("本を読む。"));
    Click(*dialog, Res::IDOK);

    EXPECT_EQ(ChosenSids(), (std::vector<int>{52, 51}));
    const QuestionUnit unit = dialog->ResultUnit();
    EXPECT_EQ(unit.QuestionId(), 11);
    ASSERT_EQ(unit.Sentences().size(), 2u);
    EXPECT_EQ(unit.Sentences()[0]->sid, 52);
}

TEST_F(SentenceDialog, WithAnEmptyRangeAndAnEmptyUnitListsNothing)
{
    Open({});
    EXPECT_EQ(List().RowCount(), 0);
    Click(*dialog, Res::IDOK);
    EXPECT_TRUE(dialog->Sentences().empty());
}

// The columns of the book's type, the question column taking the width
// the others leave, also after a resize.
TEST_F(SelectionDialogFixture, SentenceDialogLaysOutTheListForTheBooksType)
{
    LoadSampleBook(QStringLiteral("kanji303_main.db"));
    ASSERT_FALSE(model.Storage().Questions().empty());
    const int qid = model.Storage().Questions().front()->qid;
    model.SetQuestions({qid});
    std::vector<int> iids;
    for (const Index* entry : model.Storage().IndexPool().List())
        iids.push_back(entry->iid);
    model.SetRange(Ranges(iids));
    std::vector<const Sentence*> candidates;
    ASSERT_GT(model.CandidateSentences(candidates, qid), 0);

    DlgSentence dialog(model, model.GetQuiz(0).UnitFor(qid));
    Show(dialog);
    GaijiListViewCtrl& list = dialog.List();
    EXPECT_EQ(list.ColumnCount(), 5);
    EXPECT_EQ(list.RowCount(), static_cast<int>(candidates.size()));

    auto othersWidth = [&list] {
        int width = 0;
        for (int column = 1; column < list.ColumnCount(); ++column)
            width += list.columnWidth(column);
        return width;
    };
    const int questionWidth = list.columnWidth(0);
    dialog.resize(dialog.size() + QSize(120, 0));
    QApplication::processEvents();
    EXPECT_EQ(list.columnWidth(0), questionWidth + 120);
    EXPECT_EQ(othersWidth(), 40 + 100 + 60 + 80);
}
