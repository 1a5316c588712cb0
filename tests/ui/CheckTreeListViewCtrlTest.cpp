// The check-tree list: tick rules between parents and children, rows that
// cannot be ticked, and what a click on a box or on a row's text does.
#include "ui/CheckTreeListViewCtrl.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int Off = CheckTreeListViewCtrl::Unticked;
constexpr int On = CheckTreeListViewCtrl::Ticked;
constexpr int Partly = CheckTreeListViewCtrl::PartlyTicked;

// Chapter 1 (row 0) with sections 1.1..1.3 (rows 1-3), section 1.2 with
// items (rows 4, 5); chapter 2 (row 6) with one section (row 7).
struct Tree {
    CheckTreeListViewCtrl list;
    int chapter1, s11, s12, s13, item1, item2, chapter2, s21;

    Tree()
    {
        list.AddColumn(QStringLiteral("目次"), 200);
        list.AddColumn(QStringLiteral("頁"), 40, Qt::AlignRight);
        chapter1 = list.InsertRow(0, QStringLiteral("第1章"), -1);
        s11 = list.InsertRow(1, QStringLiteral("1.1"), chapter1);
        s12 = list.InsertRow(2, QStringLiteral("1.2"), chapter1);
        s13 = list.InsertRow(3, QStringLiteral("1.3"), chapter1);
        item1 = list.InsertRow(4, QStringLiteral("1.2.1"), s12);
        item2 = list.InsertRow(5, QStringLiteral("1.2.2"), s12);
        chapter2 = list.InsertRow(6, QStringLiteral("第2章"), -1);
        s21 = list.InsertRow(7, QStringLiteral("2.1"), chapter2);
        list.resize(400, 300);
    }

    std::vector<int> States() const
    {
        std::vector<int> states;
        for (int row = 0; row < list.RowCount(); ++row)
            states.push_back(list.GetCheck(row));
        return states;
    }

    void ClickBox(int row) { QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.CheckBoxRect(row).center()); }
};

} // namespace

TEST(CheckTreeList, ParentFollowsItsChildrenAllMixedOrNone)
{
    Tree t;
    t.list.Toggle(t.s11);
    t.list.Toggle(t.s13);
    EXPECT_EQ(t.list.GetCheck(t.chapter1), Partly);

    t.list.Toggle(t.item1);
    EXPECT_EQ(t.list.GetCheck(t.s12), Partly);
    EXPECT_EQ(t.list.GetCheck(t.chapter1), Partly);

    t.list.Toggle(t.item2); // the last leaf: every child of 1.2, then of chapter 1, ticked
    EXPECT_EQ(t.list.GetCheck(t.s12), On);
    EXPECT_EQ(t.list.GetCheck(t.chapter1), On);

    t.list.Toggle(t.s11); // unticking one makes the parent partly ticked
    EXPECT_EQ(t.list.GetCheck(t.chapter1), Partly);

    for (int row : {t.s13, t.item1, t.item2})
        t.list.Toggle(row); // unticking the last makes it not ticked
    EXPECT_EQ(t.list.GetCheck(t.s12), Off);
    EXPECT_EQ(t.list.GetCheck(t.chapter1), Off);
    EXPECT_EQ(t.list.GetCheck(t.chapter2), Off);
}

TEST(CheckTreeList, TogglingAParentTicksOrUnticksEverythingBelowIt)
{
    Tree t;
    t.list.Toggle(t.chapter1);
    EXPECT_EQ(t.States(), (std::vector<int>{On, On, On, On, On, On, Off, Off}));

    t.list.Toggle(t.item1);
    EXPECT_EQ(t.list.GetCheck(t.chapter1), Partly);
    t.list.Toggle(t.chapter1); // a partly ticked row becomes ticked, with all below it
    EXPECT_EQ(t.States(), (std::vector<int>{On, On, On, On, On, On, Off, Off}));

    t.list.Toggle(t.chapter1);
    EXPECT_EQ(t.States(), std::vector<int>(8, Off));
}

TEST(CheckTreeList, RowsThatCannotBeTickedStayUntickedAndDoNotCount)
{
    Tree t;
    t.list.SetCheckable(t.s13, false);
    t.list.SetCheck(t.s13, On);
    EXPECT_EQ(t.list.GetCheck(t.s13), Off);
    t.list.Toggle(t.s13);
    EXPECT_EQ(t.list.GetCheck(t.s13), Off);

    t.list.Toggle(t.chapter1); // ticks all below except the row that cannot be ticked
    EXPECT_EQ(t.list.GetCheck(t.s13), Off);
    EXPECT_EQ(t.list.GetCheck(t.item2), On);

    t.list.Toggle(t.s11);
    t.list.Toggle(t.s11); // the parent looks only at rows that can be ticked
    EXPECT_EQ(t.list.GetCheck(t.chapter1), On);

    t.list.SetCheckable(t.item1, true);
    t.list.SetCheckable(t.item2, false); // a row that is made not tickable loses its tick
    EXPECT_EQ(t.list.GetCheck(t.item2), Off);
}

TEST(CheckTreeList, UntickableRowInTheMiddlePassesItsChildrenThrough)
{
    // A heading that cannot be ticked, between a chapter and its items.
    CheckTreeListViewCtrl list;
    list.AddColumn(QStringLiteral("目次"), 200);
    const int chapter = list.InsertRow(0, QStringLiteral("章"), -1);
    const int heading = list.InsertRow(1, QStringLiteral("見出し"), chapter);
    const int a = list.InsertRow(2, QStringLiteral("a"), heading);
    const int b = list.InsertRow(3, QStringLiteral("b"), heading);
    list.SetCheckable(heading, false);

    list.Toggle(a);
    EXPECT_EQ(list.GetCheck(chapter), Partly);
    list.Toggle(b);
    EXPECT_EQ(list.GetCheck(chapter), On);
    list.Toggle(a);
    list.Toggle(b);
    EXPECT_EQ(list.GetCheck(chapter), Off); // nothing below it is ticked
    EXPECT_EQ(list.GetCheck(heading), Off);

    list.Toggle(chapter); // the rule downwards reaches past the heading
    EXPECT_EQ(list.GetCheck(a), On);
    EXPECT_EQ(list.GetCheck(b), On);
    EXPECT_EQ(list.GetCheck(heading), Off);
}

TEST(CheckTreeList, ClickOnABoxTogglesAndReportsOnce)
{
    Tree t;
    t.list.show();
    QSignalSpy changed(&t.list, &CheckTreeListViewCtrl::ChecksChanged);

    t.ClickBox(t.s12);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(t.list.GetCheck(t.s12), On);
    EXPECT_EQ(t.list.GetCheck(t.item1), On);
    EXPECT_EQ(t.list.GetCheck(t.chapter1), Partly);

    t.ClickBox(t.s12);
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(t.list.GetCheck(t.chapter1), Off);
}

TEST(CheckTreeList, ClickOnTheTextSelectsWithoutToggling)
{
    Tree t;
    t.list.show();
    QSignalSpy changed(&t.list, &CheckTreeListViewCtrl::ChecksChanged);
    const QRect box = t.list.CheckBoxRect(t.s11);
    QTest::mouseClick(t.list.viewport(), Qt::LeftButton, {}, QPoint(box.right() + 40, box.center().y()));
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(t.list.GetCheck(t.s11), Off);
    EXPECT_EQ(t.list.SelectedRow(), t.s11);
}

TEST(CheckTreeList, ClickOnAnUntickableRowsBoxChangesNothing)
{
    Tree t;
    t.list.SetCheckable(t.s21, false);
    t.list.show();
    QSignalSpy changed(&t.list, &CheckTreeListViewCtrl::ChecksChanged);
    t.ClickBox(t.s21);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(t.list.GetCheck(t.s21), Off);
    EXPECT_EQ(t.list.GetCheck(t.chapter2), Off);
}

TEST(CheckTreeList, SpaceBarTogglesTheFocusedRow)
{
    Tree t;
    t.list.show();
    QSignalSpy changed(&t.list, &CheckTreeListViewCtrl::ChecksChanged);
    t.list.SelectRow(t.chapter2);
    QTest::keyClick(&t.list, Qt::Key_Space);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(t.list.GetCheck(t.chapter2), On);
    EXPECT_EQ(t.list.GetCheck(t.s21), On);
}

TEST(CheckTreeList, ClearingForgetsTheTree)
{
    Tree t;
    t.list.Toggle(t.chapter1);
    t.list.DeleteAllRows();
    EXPECT_EQ(t.list.RowCount(), 0);
    const int row = t.list.InsertRow(0, QStringLiteral("新"), -1);
    EXPECT_EQ(row, 0);
    EXPECT_EQ(t.list.GetCheck(row), Off);
    EXPECT_TRUE(t.list.ChildRows(row).empty());
    EXPECT_EQ(t.list.GetCheck(5), Off); // rows that are gone read as unticked
}

TEST(CheckTreeList, DrawsEveryKindOfRow)
{
    Tree t;
    t.list.SetCheckable(t.s13, false);
    t.list.Toggle(t.s12);
    t.list.show();
    t.list.SelectRow(t.item1);
    const QImage picture = t.list.grab().toImage();
    EXPECT_FALSE(picture.isNull());
    t.list.setEnabled(false);
    EXPECT_FALSE(t.list.grab().toImage().isNull());
}
