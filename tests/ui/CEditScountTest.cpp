// The in-place number editor of the count list, driven by keys and focus
// inside a dialog with a default button.
#include "ui/CEditScount.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class EditorInDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog.resize(300, 200);
        ok = new QPushButton(QStringLiteral("OK"), &dialog);
        ok->setDefault(true);
        ok->setGeometry(200, 160, 80, 30);
        QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        other = new QLineEdit(&dialog);
        other->setGeometry(10, 160, 80, 24);
        editor = new CEditScount(&dialog);
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    void Begin(int row, const QString& text) { editor->BeginEdit(row, QRect(100, 40, 60, 18), text); }

    QDialog dialog;
    QPushButton* ok = nullptr;
    QLineEdit* other = nullptr;
    CEditScount* editor = nullptr;
};

} // namespace

TEST_F(EditorInDialog, OpensOverTheCellWithTheTextSelected)
{
    EXPECT_FALSE(editor->isVisible());
    Begin(2, QStringLiteral("10"));
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->EditedRow(), 2);
    EXPECT_EQ(editor->x(), 100);
    EXPECT_EQ(editor->width(), 60);
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_EQ(editor->findChild<QLineEdit*>()->selectedText(), QStringLiteral("10"));
}

TEST_F(EditorInDialog, EnterCommitsTheTypedNumberAndKeepsTheDialogOpen)
{
    QSignalSpy committed(editor, &CEditScount::Committed);
    QSignalSpy finished(editor, &CEditScount::Finished);
    Begin(3, QStringLiteral("10"));
    QTest::keyClicks(editor, QStringLiteral("25"));
    QTest::keyClick(editor, Qt::Key_Return);

    ASSERT_EQ(committed.count(), 1);
    EXPECT_EQ(committed.first().at(0).toInt(), 3);
    EXPECT_EQ(committed.first().at(1).toString(), QStringLiteral("25"));
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(editor->EditedRow(), -1);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST_F(EditorInDialog, LeavingTheEditorCommits)
{
    QSignalSpy committed(editor, &CEditScount::Committed);
    Begin(0, QStringLiteral("10"));
    QTest::keyClicks(editor, QStringLiteral("7"));
    other->setFocus();
    ASSERT_EQ(committed.count(), 1);
    EXPECT_EQ(committed.first().at(1).toString(), QStringLiteral("7"));
    EXPECT_FALSE(editor->isVisible());
}

TEST_F(EditorInDialog, EscapeDropsTheEditAndKeepsTheDialogOpen)
{
    QSignalSpy committed(editor, &CEditScount::Committed);
    QSignalSpy finished(editor, &CEditScount::Finished);
    Begin(1, QStringLiteral("10"));
    QTest::keyClicks(editor, QStringLiteral("99"));
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(committed.count(), 0);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_TRUE(dialog.isVisible());
    other->setFocus(); // the focus leaving afterwards commits nothing
    EXPECT_EQ(committed.count(), 0);
}

TEST_F(EditorInDialog, EmptyOrZeroTextKeepsTheOldValue)
{
    QSignalSpy committed(editor, &CEditScount::Committed);
    QSignalSpy finished(editor, &CEditScount::Finished);
    Begin(4, QStringLiteral("10"));
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(committed.count(), 0);
    EXPECT_EQ(finished.count(), 1);

    Begin(4, QStringLiteral("10"));
    QTest::keyClicks(editor, QStringLiteral("0"));
    other->setFocus();
    EXPECT_EQ(committed.count(), 0);
}

TEST_F(EditorInDialog, ArrowKeysStepAndWrapAtTheEnds)
{
    QSignalSpy committed(editor, &CEditScount::Committed);
    Begin(0, QStringLiteral("1000"));
    QTest::keyClick(editor, Qt::Key_Up);
    QTest::keyClick(editor, Qt::Key_Return);
    Begin(1, QStringLiteral("1"));
    QTest::keyClick(editor, Qt::Key_Down);
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_EQ(committed.count(), 2);
    EXPECT_EQ(committed.at(0).at(1).toString(), QStringLiteral("1"));
    EXPECT_EQ(committed.at(1).at(1).toString(), QStringLiteral("1000"));
}
