// The report list the list builders lay out: columns with alignments,
// rows by index with the values they carry.
#include "ui/ListViewCtrl.h"

#include <gtest/gtest.h>

TEST(ListView, RowsTakeTheirColumnsAlignmentAndKeepTheirPlace)
{
    ListViewCtrl list;
    list.AddColumn(QStringLiteral("見出し語"), 100);
    EXPECT_EQ(list.AddColumn(QStringLiteral("No."), 40, Qt::AlignRight), 1);
    list.AddColumn(QStringLiteral("頻出"), 40, Qt::AlignHCenter);
    EXPECT_EQ(list.ColumnCount(), 3);
    EXPECT_EQ(list.columnWidth(1), 40);

    EXPECT_EQ(list.InsertRow(0, QStringLiteral("b")), 0);
    EXPECT_EQ(list.InsertRow(0, QStringLiteral("a")), 0);
    EXPECT_EQ(list.InsertRow(99, QStringLiteral("c")), 2); // past the end: appended
    list.SetCellText(1, 1, QStringLiteral("12"));
    list.SetCellText(1, 5, QStringLiteral("no such column"));
    list.SetCellText(7, 0, QStringLiteral("no such row"));

    EXPECT_EQ(list.CellText(0, 0), QStringLiteral("a"));
    EXPECT_EQ(list.CellText(1, 0), QStringLiteral("b"));
    EXPECT_EQ(list.CellText(1, 1), QStringLiteral("12"));
    EXPECT_EQ(list.CellText(2, 0), QStringLiteral("c"));
    EXPECT_EQ(list.topLevelItem(1)->textAlignment(1) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(list.topLevelItem(1)->textAlignment(2) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(list.RowCount(), 3);
}

TEST(ListView, RowsCarryValuesAndOneRowIsSelected)
{
    ListViewCtrl list;
    list.AddColumn(QStringLiteral("形式"), 150);
    list.InsertRow(0, QStringLiteral("一"));
    list.InsertRow(1, QStringLiteral("二"));
    list.SetRowData(1, 42);
    EXPECT_FALSE(list.RowData(0).isValid());
    EXPECT_EQ(list.RowData(1).toInt(), 42);
    EXPECT_FALSE(list.RowData(5).isValid());

    EXPECT_EQ(list.SelectedRow(), -1);
    list.SelectRow(1);
    EXPECT_EQ(list.SelectedRow(), 1);
    list.SelectRow(0);
    EXPECT_EQ(list.SelectedRow(), 0); // single selection

    list.DeleteAllRows();
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_EQ(list.SelectedRow(), -1);
    EXPECT_EQ(list.ColumnCount(), 1); // columns stay
}
