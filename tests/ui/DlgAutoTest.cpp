// The automatic-selection dialog: the settings it shows and hands back,
// the in-place count editor, the bulk setting, the up-down fields and the
// random-order box that only books of type "101" offer.
#include "ui/DlgAuto.h"

#include "SelectionDialogFixture.h"
#include "model/Question.h"
#include "res/ResourceIds.h"
#include "ui/CEditScount.h"
#include "ui/ListBuilder.h"
#include "ui/ListViewCtrl.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>

#include <memory>

namespace {

class AutoDialog : public SelectionDialogFixture {
protected:
    void SetUp() override
    {
        SelectionDialogFixture::SetUp();
        LoadSmallBook();
        model.SetQuestions({12, 11});
        options = model.ReadAutoSelectOptions();
        options.counts[0].second = 4;
        options.counts[1].second = 6;
        options.randomize = false;
    }

    DlgAuto& Open(bool randomizeAllowed = true)
    {
        dialog = std::make_unique<DlgAuto>(options, randomizeAllowed);
        Show(*dialog);
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return *dialog;
    }

    ListViewCtrl& List() { return dialog->CountList(); }
    QLineEdit* Field(int id) { return Control<QLineEdit>(*dialog, id); }
    void SetField(int id, const QString& text) { Field(id)->setText(text); }
    void ClickCount(int row)
    {
        const QRect cell = List().visualRect(List().model()->index(row, 1));
        QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, cell.center());
    }
    // Leaves the editor by giving the focus to another control.
    void LeaveEditor() { Field(Res::IDC_BULK_COUNT)->setFocus(); }

    std::vector<int> Counts(const AutoSelectOptions& result)
    {
        std::vector<int> counts;
        for (const auto& entry : result.counts)
            counts.push_back(entry.second);
        return counts;
    }

    AutoSelectOptions options;
    std::unique_ptr<DlgAuto> dialog;
};

} // namespace

TEST_F(AutoDialog, ShowsTheSettingsAndHandsThemBackUnchangedOnOk)
{
    Open();
    EXPECT_EQ(Field(Res::IDC_CLASS_COUNT)->text(), QStringLiteral("3"));
    EXPECT_EQ(Field(Res::IDC_BULK_COUNT)->text(), QStringLiteral("10"));
    ASSERT_EQ(List().RowCount(), 2);
    EXPECT_EQ(List().CellText(0, 0), QStringLiteral("日本語に"));
    EXPECT_EQ(List().CellText(0, 1), QStringLiteral("4"));
    EXPECT_EQ(List().RowData(1).toInt(), 11);
    EXPECT_EQ(List().ColumnAlignment(1), Qt::AlignRight);
    EXPECT_FALSE(List().header()->sectionsClickable());
    auto* randomize = Control<QCheckBox>(*dialog, Res::IDC_RANDOMIZE);
    EXPECT_TRUE(randomize->isVisible());
    EXPECT_FALSE(randomize->isChecked());

    Click(*dialog, Res::IDOK);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    const AutoSelectOptions result = dialog->Options();
    EXPECT_EQ(result.printCount, 3);
    EXPECT_EQ(result.defaultCount, 10);
    EXPECT_EQ(Counts(result), (std::vector<int>{4, 6}));
    EXPECT_EQ(result.counts[0].first->qid, 12);
    EXPECT_FALSE(result.randomize);
}

TEST_F(AutoDialog, TheCountEditorWritesATypedNumberAndKeepsTheOldCountWhenLeftEmpty)
{
    Open();
    ClickCount(1);
    CEditScount& editor = dialog->CountEditor();
    ASSERT_TRUE(editor.isVisible());
    EXPECT_EQ(editor.EditedRow(), 1);
    EXPECT_TRUE(List().visualRect(List().model()->index(1, 1)).intersects(editor.geometry()));
    QTest::keyClick(&editor, Qt::Key_Delete);
    LeaveEditor();
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(List().CellText(1, 1), QStringLiteral("6"));

    ClickCount(0);
    QTest::keyClicks(&editor, QStringLiteral("25"));
    LeaveEditor();
    EXPECT_EQ(List().CellText(0, 1), QStringLiteral("25"));

    // A click on the format's name opens nothing.
    QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, List().visualRect(List().model()->index(1, 0)).center());
    EXPECT_FALSE(editor.isVisible());

    Click(*dialog, Res::IDOK);
    EXPECT_EQ(Counts(dialog->Options()), (std::vector<int>{25, 6}));
}

TEST_F(AutoDialog, OkTakesTheCountStillBeingTyped)
{
    Open();
    ClickCount(0);
    QTest::keyClicks(&dialog->CountEditor(), QStringLiteral("9"));
    dialog->accept();
    EXPECT_EQ(Counts(dialog->Options()), (std::vector<int>{9, 6}));
}

TEST_F(AutoDialog, TheBulkCountGoesIntoEveryRow)
{
    Open();
    SetField(Res::IDC_BULK_COUNT, QStringLiteral("25"));
    Click(*dialog, Res::IDC_APPLY_ALL);
    EXPECT_EQ(List().CellText(0, 1), QStringLiteral("25"));
    EXPECT_EQ(List().CellText(1, 1), QStringLiteral("25"));

    // An empty bulk field changes nothing.
    SetField(Res::IDC_BULK_COUNT, QString());
    Click(*dialog, Res::IDC_APPLY_ALL);
    EXPECT_EQ(List().CellText(0, 1), QStringLiteral("25"));

    SetField(Res::IDC_BULK_COUNT, QStringLiteral("30"));
    Click(*dialog, Res::IDOK);
    EXPECT_EQ(Counts(dialog->Options()), (std::vector<int>{25, 25}));
    EXPECT_EQ(dialog->Options().defaultCount, 30);
}

TEST_F(AutoDialog, TheArrowKeysWrapAtTheEndsOfEachFieldsRange)
{
    Open();
    QLineEdit* classes = Field(Res::IDC_CLASS_COUNT);
    SetField(Res::IDC_CLASS_COUNT, QStringLiteral("10"));
    QTest::keyClick(classes, Qt::Key_Up);
    EXPECT_EQ(classes->text(), QStringLiteral("1"));

    QLineEdit* bulk = Field(Res::IDC_BULK_COUNT);
    SetField(Res::IDC_BULK_COUNT, QStringLiteral("1"));
    QTest::keyClick(bulk, Qt::Key_Down);
    EXPECT_EQ(bulk->text(), QStringLiteral("1000"));
}

TEST_F(AutoDialog, FieldsTakeDigitsOnlyAndOkBringsThemIntoRange)
{
    Open();
    QLineEdit* classes = Field(Res::IDC_CLASS_COUNT);
    classes->clear();
    QTest::keyClicks(classes, QStringLiteral("-a5"));
    EXPECT_EQ(classes->text(), QStringLiteral("5"));

    SetField(Res::IDC_CLASS_COUNT, QStringLiteral("99"));
    SetField(Res::IDC_BULK_COUNT, QString());
    Click(*dialog, Res::IDOK);
    EXPECT_EQ(dialog->Options().printCount, DlgAuto::MaxPrintCount);
    EXPECT_EQ(dialog->Options().defaultCount, DlgAuto::MinCount);
}

// A "301" book offers no choice of order: the box is hidden and the
// settings come back with the random order on.
TEST_F(SelectionDialogFixture, AutoDialogForA301BookAlwaysRandomizes)
{
    LoadSampleBook(QStringLiteral("kanji301_main.db"));
    ASSERT_EQ(ListBuilder::BookTypeOf(model), QStringLiteral("301"));
    model.SetQuestions({model.Storage().Questions().front()->qid});
    AutoSelectOptions stored = model.ReadAutoSelectOptions();
    stored.randomize = false;
    model.WriteAutoSelectOptions(stored);

    DlgAuto dialog(model.ReadAutoSelectOptions(), ListBuilder::BookTypeOf(model) == QStringLiteral("101"));
    Show(dialog);
    auto* randomize = Control<QCheckBox>(dialog, Res::IDC_RANDOMIZE);
    EXPECT_FALSE(randomize->isVisible());
    EXPECT_FALSE(randomize->isEnabled());
    Click(dialog, Res::IDOK);
    EXPECT_TRUE(dialog.Options().randomize);
    EXPECT_EQ(dialog.Options().counts.size(), 1u);
}
