// The external-character list: where the pieces of a cell are drawn, the
// font of the external characters, and the check boxes of its rows.
#include "ui/GaijiCellLayout.h"
#include "ui/GaijiListViewCtrl.h"

#include "markup/DecodeGaijiCode.h"

#include <QFontInfo>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct Fonts {
    QFont plain;
    QFont external;
    QFontMetrics plainMetrics;
    QFontMetrics externalMetrics;

    Fonts()
        : plain(ListFont())
        , external(GaijiCellLayout::ExternalFontFor(plain))
        , plainMetrics(plain)
        , externalMetrics(external)
    {
    }

    static QFont ListFont()
    {
        QFont font;
        font.setPixelSize(13);
        return font;
    }

    GaijiCellLayout Layout() const { return {plain, external}; }
};

} // namespace

TEST(GaijiCellLayout, ExternalCharacterSitsBetweenItsNeighboursWithTheCompensatedAdvance)
{
    const Fonts f;
    const auto runs = f.Layout().Layout(QStringLiteral("A<G=F040>B"), 300, Qt::AlignLeft);
    ASSERT_EQ(runs.size(), 3u);
    const QString external = DecodeGaijiCode(u"F040");

    EXPECT_EQ(runs[0].text, QStringLiteral("A"));
    EXPECT_FALSE(runs[0].external);
    EXPECT_EQ(runs[0].x, 0);

    EXPECT_TRUE(runs[1].external);
    EXPECT_EQ(runs[1].text, external);
    EXPECT_EQ(runs[1].x, f.plainMetrics.horizontalAdvance(QStringLiteral("A")));
    EXPECT_EQ(runs[1].advance, 1 + static_cast<int>(f.externalMetrics.horizontalAdvance(external) / 1.2));

    EXPECT_EQ(runs[2].text, QStringLiteral("B"));
    EXPECT_FALSE(runs[2].external);
    EXPECT_EQ(runs[2].x, runs[1].x + runs[1].advance);
}

TEST(GaijiCellLayout, WithoutTheFontAnExternalCharacterShowsAsTheOrdinaryCharacter)
{
    const Fonts f;
    // <G=E274> is the code position U+7A70, which stands for 鷗.
    const GaijiCellLayout layout(f.plain, f.external, false);
    const auto runs = layout.Layout(QStringLiteral("か<G=E274>め"), 300, Qt::AlignLeft);
    QString shown;
    for (const auto& run : runs) {
        EXPECT_FALSE(run.external);
        shown += run.text;
    }
    EXPECT_EQ(shown, QStringLiteral("か鷗め"));
    // Tips are drawn in an ordinary font: always the ordinary character.
    EXPECT_EQ(GaijiCellLayout::DisplayText(QStringLiteral("か<G=E274>め")), QStringLiteral("か鷗め"));
}

TEST(GaijiCellLayout, BrokenTagIsPlainText)
{
    const Fonts f;
    const QString text = QStringLiteral("x<G=F0>y");
    const auto runs = f.Layout().Layout(text, 300, Qt::AlignLeft);
    QString shown;
    for (const auto& run : runs) {
        EXPECT_FALSE(run.external);
        shown += run.text;
    }
    EXPECT_EQ(shown, text);
    EXPECT_EQ(GaijiCellLayout::DisplayText(text), text);
}

TEST(GaijiCellLayout, AlignmentShiftsANarrowTextOnly)
{
    const Fonts f;
    const QString text = QStringLiteral("123");
    const int width = f.plainMetrics.horizontalAdvance(text);
    EXPECT_EQ(f.Layout().Layout(text, 100, Qt::AlignRight).front().x, 100 - width);
    EXPECT_EQ(f.Layout().Layout(text, 100, Qt::AlignHCenter).front().x, (100 - width) / 2);
    EXPECT_EQ(f.Layout().Layout(text, 100, Qt::AlignLeft).front().x, 0);
    EXPECT_EQ(f.Layout().Layout(text, width - 1, Qt::AlignRight).front().x, 0);
}

TEST(GaijiCellLayout, ShiftedTextThatFitsIsShownWhole)
{
    // Whole-pixel widths round some texts down ("22" is 20.3 pixels wide
    // at 16 pixels): such a text, shifted right by the rounded width, must
    // still be drawn whole, not cut to an ellipsis.
    for (const int pixels : {12, 13, 16}) {
        QFont plain;
        plain.setPixelSize(pixels);
        const GaijiCellLayout layout(plain, GaijiCellLayout::ExternalFontFor(plain));
        for (const QString text : {QStringLiteral("22"), QStringLiteral("216")}) {
            for (const int cellWidth : {QFontMetrics(plain).horizontalAdvance(text), 32, 100}) {
                EXPECT_EQ(layout.Layout(text, cellWidth, Qt::AlignRight).front().text, text)
                    << pixels << " " << cellWidth;
                EXPECT_EQ(layout.Layout(text, cellWidth, Qt::AlignHCenter).front().text, text)
                    << pixels << " " << cellWidth;
            }
        }
    }
}

TEST(GaijiCellLayout, TextIsCutWithAnEllipsisAtTheCellsEnd)
{
    const Fonts f;
    const QString longText = QStringLiteral("とても長い問題文がここに続いていて一つのセルには収まらない");
    const auto runs = f.Layout().Layout(longText + QStringLiteral("<G=F040>後"), 80, Qt::AlignLeft);
    ASSERT_FALSE(runs.empty());
    EXPECT_TRUE(runs.front().text.endsWith(QChar(0x2026)));
    EXPECT_EQ(runs.front().advance, 80);
    EXPECT_LE(f.plainMetrics.horizontalAdvance(runs.front().text), 80);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_TRUE(runs[2].text.isEmpty()); // nothing of the text after the cell's end shows
}

TEST(GaijiCellLayout, ExternalFontIsTheListFontInTheExternalFaceOneFifthLarger)
{
    QFont list(QStringLiteral("Noto Sans CJK JP"));
    list.setPixelSize(13);
    list.setBold(true);
    const QFont external = GaijiCellLayout::ExternalFontFor(list);
    EXPECT_EQ(external.families().value(0), QStringLiteral("Morvane Gaiji"));
    EXPECT_EQ(external.pixelSize(), 15); // 15.6 truncated
    EXPECT_TRUE(external.bold());
}

TEST(GaijiListView, BoxClickFlipsTheRowTextClickDoesNot)
{
    GaijiListViewCtrl list;
    list.SetCheckBoxes(true);
    list.AddColumn(QStringLiteral("問題"), 300);
    list.InsertRow(0, QStringLiteral("A<G=F040>B"));
    list.InsertRow(1, QStringLiteral("C"));
    list.resize(400, 200);
    list.show();
    QSignalSpy changed(&list, &GaijiListViewCtrl::CheckChanged);

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.CheckBoxRect(1).center());
    EXPECT_TRUE(list.IsChecked(1));
    EXPECT_FALSE(list.IsChecked(0));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.first().first().toInt(), 1);

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.CheckBoxRect(1).center());
    EXPECT_FALSE(list.IsChecked(1));

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.CheckBoxRect(0).center() + QPoint(100, 0));
    EXPECT_FALSE(list.IsChecked(0));
    EXPECT_EQ(list.SelectedRow(), 0);
    EXPECT_EQ(changed.count(), 2);

    QTest::keyClick(&list, Qt::Key_Space);
    EXPECT_TRUE(list.IsChecked(0));
}

TEST(GaijiListView, WithoutBoxesClicksOnlySelect)
{
    GaijiListViewCtrl list;
    list.AddColumn(QStringLiteral("見出し語"), 200);
    list.InsertRow(0, QStringLiteral("語"));
    list.resize(300, 100);
    list.show();
    const QRect row = list.visualItemRect(list.topLevelItem(0));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(6, row.center().y()));
    EXPECT_FALSE(list.IsChecked(0));
    EXPECT_TRUE(list.CheckBoxRect(0).isNull());
    EXPECT_EQ(list.SelectedRow(), 0);
}

TEST(GaijiListView, RowsAreAsHighAsTheTextAndFollowFontChanges)
{
    GaijiListViewCtrl list;
    list.AddColumn(QStringLiteral("問題"), 200);
    list.InsertRow(0, QStringLiteral("行"));
    QFont font = list.font();
    font.setPixelSize(20);
    list.setFont(font);
    list.show();
    EXPECT_EQ(list.ExternalFont().pixelSize(), 24);
    // Room for the larger external characters too, so nothing is cut at the top.
    EXPECT_EQ(list.visualItemRect(list.topLevelItem(0)).height(),
        qMax(list.fontMetrics().height(), QFontMetrics(list.ExternalFont()).height()));
    EXPECT_FALSE(list.grab().isNull());
}
