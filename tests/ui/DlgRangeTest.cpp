// The range dialog over real book databases: what ticking entries and
// entering intervals make of the model's range, the vocabulary count that
// follows every change, and Cancel putting back the range it opened with.
#include "ui/DlgRange.h"

#include "model/NodeStorage.h"
#include "model/StopRequest.h"
#include "quiz/Model.h"
#include "res/StringTable.h"
#include "support/BookFixture.h"
#include "support/SampleBooks.h"
#include "ui/CUpDownCtrl.h"
#include "ui/CWndTabCtrl.h"
#include "ui/CheckTreeListViewCtrl.h"
#include "ui/ControlId.h"
#include "ui/DlgRangeIndex.h"
#include "ui/DlgRangeNumber.h"
#include "ui/GaijiListViewCtrl.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Intervals = RangeNumber::Intervals;

// Class 3 ("頁") can be chosen by number but has no valid range stored.
const QString PageClassSql = QStringLiteral("INSERT INTO AttrClasses VALUES(3,'頁','ページ',0,4,1);\n"
                                            "INSERT INTO KeywordAttrs VALUES(201,3,0,0,7);\n");

// The small test book: contents 1 root > 2 "Lesson 1" > (3 "1-A", 4 "1-B"),
// 1 > 5 "Lesson 2" (cannot be chosen); keywords 201 (No. 10, entry 3),
// 202 (No. 20, entry 4), 203 (No. 30, entry 5); class 1 "No." valid 1..300.
class RangeDialog : public ::testing::Test {
protected:
    void Load(const QString& sql)
    {
        ASSERT_TRUE(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("small_main.db"));
        const QString error = BookFixture::Build(path, sql);
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        ASSERT_TRUE(model.LoadBooks({path}));
    }
    void LoadSmallBook(const QString& extraSql = {}) { Load(BookFixture::SmallBookSql() + extraSql); }

    DlgRange& Open()
    {
        dialog = std::make_unique<DlgRange>(model);
        dialog->show();
        QApplication::processEvents();
        return *dialog;
    }

    template <typename T = QWidget>
    T* Control(int id)
    {
        T* control = FindControl<T>(dialog.get(), id);
        EXPECT_NE(control, nullptr) << "control " << id;
        return control;
    }

    CheckTreeListViewCtrl& Contents() { return dialog->IndexPage().List(); }
    void ClickBoxOf(int iid)
    {
        const int row = dialog->IndexPage().RowOf(iid);
        ASSERT_GE(row, 0);
        Contents().scrollToItem(Contents().topLevelItem(row));
        QTest::mouseClick(Contents().viewport(), Qt::LeftButton, {}, Contents().CheckBoxRect(row).center());
    }
    void Press(int id) { QTest::mouseClick(Control<QPushButton>(id), Qt::LeftButton); }
    void Bounds(const QString& lower, const QString& upper)
    {
        Control<QLineEdit>(1803)->setText(lower);
        Control<QLineEdit>(1804)->setText(upper);
    }
    void AddInterval(int lower, int upper)
    {
        Bounds(QString::number(lower), QString::number(upper));
        Press(1807);
    }
    void ChooseMethod(int index) { Control<QComboBox>(1801)->setCurrentIndex(index); }

    QString CountLabel() { return Control<QLabel>(1504)->text(); }
    QStringList ListedIntervals()
    {
        QStringList lines;
        auto* list = Control<QListWidget>(1808);
        for (int row = 0; row < list->count(); ++row)
            lines << list->item(row)->text();
        return lines;
    }
    QStringList ListedKeywords()
    {
        QStringList words;
        auto* list = Control<GaijiListViewCtrl>(1505);
        for (int row = 0; row < list->RowCount(); ++row)
            words << list->CellText(row, 0);
        return words;
    }

    const Ranges& Range() const { return model.CurrentRange(); }
    std::vector<int> RangeIndexIds() const { return Range().OrderedIndexIds(); }
    int RangeClass() const
    {
        const RangeNumber* number = Range().NumberRange();
        return number ? number->AttrClassId() : 0;
    }
    Intervals RangeIntervals() const
    {
        const RangeNumber* number = Range().NumberRange();
        return number ? number->GetIntervals() : Intervals{};
    }

    QTemporaryDir dir;
    Model model;
    std::unique_ptr<DlgRange> dialog;
};

// The first entry in contents order that can be chosen and has no entries
// below it.
const Index* FirstChoosableLeaf(const Index* entry)
{
    if (!entry)
        return nullptr;
    if (entry->enable && entry->children.empty())
        return entry;
    for (const Index* child : entry->children) {
        if (const Index* leaf = FirstChoosableLeaf(child))
            return leaf;
    }
    return nullptr;
}

QString Count(int n)
{
    return QStringLiteral("該当語彙 (%1)").arg(n);
}

} // namespace

TEST_F(RangeDialog, CancelPutsBackARangeOfTheOtherKind)
{
    LoadSmallBook();
    model.SetRange(Ranges(1, Intervals{{10, 20}}));
    Open();
    EXPECT_EQ(dialog->Tabs().currentIndex(), DlgRange::NumberTab);
    EXPECT_EQ(ListedIntervals(), QStringList{QStringLiteral("10 ～ 20")});

    dialog->Tabs().SetCurrentTab(DlgRange::IndexTab);
    EXPECT_EQ(Range().Type(), Range::ByIndex);
    ClickBoxOf(3);
    EXPECT_EQ(RangeIndexIds(), std::vector<int>{3});

    Press(2);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(Range().Type(), Range::ByNumber);
    EXPECT_EQ(RangeClass(), 1);
    EXPECT_EQ(RangeIntervals(), (Intervals{{10, 20}}));
    EXPECT_FALSE(model.HasRangeBackup());
}

TEST_F(RangeDialog, CancelAndEscPutBackAnIndexRangeAndOkKeepsTheNewOne)
{
    LoadSmallBook();
    model.SetRange(Ranges(std::vector<int>{4}));

    Open();
    dialog->Tabs().SetCurrentTab(DlgRange::NumberTab);
    AddInterval(1, 300);
    EXPECT_EQ(Range().Type(), Range::ByNumber);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(RangeIndexIds(), std::vector<int>{4});

    // Esc from inside a page (its list has the focus) cancels as well.
    Open();
    ClickBoxOf(3);
    QTest::keyClick(&dialog->IndexPage().List(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(RangeIndexIds(), std::vector<int>{4});

    Open();
    ClickBoxOf(3);
    Press(1);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(RangeIndexIds(), (std::vector<int>{3, 4}));
    EXPECT_FALSE(model.HasRangeBackup());
}

TEST_F(RangeDialog, OpensWithTheTicksOfTheCurrentIndexRange)
{
    LoadSmallBook();
    model.SetRange(Ranges(std::vector<int>{3}));
    Open();
    EXPECT_EQ(dialog->Tabs().currentIndex(), DlgRange::IndexTab);
    DlgRangeIndex& page = dialog->IndexPage();
    EXPECT_EQ(Contents().GetCheck(page.RowOf(3)), CheckTreeListViewCtrl::Ticked);
    EXPECT_EQ(Contents().GetCheck(page.RowOf(4)), CheckTreeListViewCtrl::Unticked);
    EXPECT_EQ(Contents().GetCheck(page.RowOf(2)), CheckTreeListViewCtrl::PartlyTicked);
    EXPECT_EQ(CountLabel(), Count(1));
    // Opening changes nothing by itself.
    EXPECT_EQ(RangeIndexIds(), std::vector<int>{3});
}

TEST_F(RangeDialog, TickingAParentYieldsExactlyItsChildren)
{
    LoadSmallBook();
    Open();
    ClickBoxOf(2);
    EXPECT_EQ(RangeIndexIds(), (std::vector<int>{3, 4}));
    EXPECT_EQ(ListedKeywords(), (QStringList{QStringLiteral("apple"), QStringLiteral("book")}));

    ClickBoxOf(2);
    EXPECT_TRUE(RangeIndexIds().empty());
    EXPECT_EQ(Range().Type(), Range::ByIndex);
    EXPECT_EQ(CountLabel(), Count(0));
}

// Asked to end (a termination signal) while the word list is being built,
// the dialog leaves the rest of the list undone, so that the event loop
// takes the signal at once; the range itself is already the new one.
TEST_F(RangeDialog, ARequestToEndStopsBuildingTheWordList)
{
    LoadSmallBook();
    Open();
    StopRequest::Raise();
    ClickBoxOf(2);
    StopRequest::Clear();
    EXPECT_EQ(RangeIndexIds(), (std::vector<int>{3, 4}));
    EXPECT_TRUE(ListedKeywords().isEmpty());
    ClickBoxOf(2);
    ClickBoxOf(2);
    EXPECT_EQ(ListedKeywords(), (QStringList{QStringLiteral("apple"), QStringLiteral("book")}));
}

TEST_F(RangeDialog, AnEntryThatCannotBeChosenIsShownButNeverInTheRange)
{
    LoadSmallBook();
    Open();
    const int lesson2 = dialog->IndexPage().RowOf(5);
    ASSERT_GE(lesson2, 0);
    EXPECT_EQ(Contents().CellText(lesson2, 0), QStringLiteral("Lesson 2"));
    EXPECT_FALSE(Contents().IsCheckable(lesson2));

    ClickBoxOf(5);
    EXPECT_EQ(Contents().GetCheck(lesson2), CheckTreeListViewCtrl::Unticked);
    ClickBoxOf(1); // the root ticks everything that can be ticked
    EXPECT_EQ(RangeIndexIds(), (std::vector<int>{3, 4}));
    EXPECT_EQ(Contents().GetCheck(lesson2), CheckTreeListViewCtrl::Unticked);
}

// Every entry of a table of contents far deeper than one call per level
// would allow is listed, in table order, and can be ticked.
TEST_F(RangeDialog, AVeryDeepTableOfContentsIsListedWhole)
{
    constexpr int depth = 150000;
    Load(BookFixture::DeepContentsBookSql(depth));
    Open();
    DlgRangeIndex& page = dialog->IndexPage();
    ASSERT_EQ(Contents().RowCount(), 5 + depth);
    const int deepest = 999 + depth;
    EXPECT_EQ(page.RowOf(1000), page.RowOf(4) + 1);
    EXPECT_EQ(page.RowOf(deepest), page.RowOf(5) - 1);
    EXPECT_EQ(Contents().Level(page.RowOf(deepest)), Contents().Level(page.RowOf(4)) + depth);
    model.SetRange(Ranges(std::vector<int>{deepest}));
    std::vector<const Keyword*> inRange;
    EXPECT_EQ(model.InRangeKeywords(inRange), 1);
}

TEST_F(RangeDialog, AddingStoresTheSmallerBoundFirstAndKeepsRepeats)
{
    LoadSmallBook();
    Open();
    dialog->Tabs().SetCurrentTab(DlgRange::NumberTab);
    Bounds(QStringLiteral("50"), QStringLiteral("20"));
    QTest::keyClick(Control<QLineEdit>(1804), Qt::Key_Return); // stays in the page
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(RangeIntervals().empty());
    Press(1807);
    EXPECT_EQ(RangeIntervals(), (Intervals{{20, 50}}));
    EXPECT_EQ(RangeClass(), 1);
    AddInterval(20, 50);
    EXPECT_EQ(ListedIntervals(), (QStringList{QStringLiteral("20 ～ 50"), QStringLiteral("20 ～ 50")}));
    EXPECT_EQ(RangeIntervals(), (Intervals{{20, 50}, {20, 50}}));

    auto* list = Control<QListWidget>(1808);
    list->setCurrentRow(0);
    Press(1809);
    EXPECT_EQ(RangeIntervals(), (Intervals{{20, 50}}));
    list->clearSelection();
    Press(1809); // nothing selected: nothing deleted
    EXPECT_EQ(RangeIntervals(), (Intervals{{20, 50}}));
}

TEST_F(RangeDialog, AddingWithAnEmptyOrNonNumericBoundDoesNothing)
{
    LoadSmallBook();
    Open();
    dialog->Tabs().SetCurrentTab(DlgRange::NumberTab);
    AddInterval(10, 20);
    QSignalSpy changed(&dialog->NumberPage(), &DlgRangeNumber::RangeChanged);

    for (const auto& [lower, upper] : std::vector<std::pair<QString, QString>>{{QString(), QStringLiteral("30")},
             {QStringLiteral("30"), QString()}, {QStringLiteral("abc"), QStringLiteral("30")},
             {QStringLiteral("-"), QStringLiteral("30")}, {QStringLiteral("99999999999"), QStringLiteral("30")}}) {
        Bounds(lower, upper);
        Press(1807);
        EXPECT_EQ(RangeIntervals(), (Intervals{{10, 20}})) << lower.toStdString() << " " << upper.toStdString();
    }
    EXPECT_EQ(ListedIntervals().size(), 1);
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(RangeDialog, ClearEmptiesTheIntervalsOfEveryMethod)
{
    LoadSmallBook(PageClassSql);
    Open();
    dialog->Tabs().SetCurrentTab(DlgRange::NumberTab);
    auto* methods = Control<QComboBox>(1801);
    ASSERT_EQ(methods->count(), 2);
    EXPECT_EQ(methods->itemText(0), QStringLiteral("No.で選択"));
    EXPECT_EQ(methods->itemText(1), QStringLiteral("頁で選択"));

    AddInterval(10, 20);
    ChooseMethod(1);
    EXPECT_EQ(RangeClass(), 3);
    EXPECT_TRUE(ListedIntervals().isEmpty());
    AddInterval(5, 9);
    EXPECT_EQ(RangeIntervals(), (Intervals{{5, 9}}));
    // Each method keeps its own intervals; only the current one's count.
    ChooseMethod(0);
    EXPECT_EQ(ListedIntervals(), QStringList{QStringLiteral("10 ～ 20")});
    EXPECT_EQ(RangeIntervals(), (Intervals{{10, 20}}));

    Press(1810);
    EXPECT_TRUE(ListedIntervals().isEmpty());
    EXPECT_TRUE(RangeIntervals().empty());
    EXPECT_TRUE(dialog->NumberPage().IntervalsOf(1).empty());
    EXPECT_TRUE(dialog->NumberPage().IntervalsOf(3).empty());
    ChooseMethod(1);
    EXPECT_TRUE(ListedIntervals().isEmpty());
}

TEST_F(RangeDialog, CountFollowsEveryChangeIncludingTabSwitches)
{
    LoadSmallBook();
    Open();
    EXPECT_EQ(CountLabel(), Count(0));
    ClickBoxOf(3);
    EXPECT_EQ(CountLabel(), Count(1));

    dialog->Tabs().SetCurrentTab(DlgRange::NumberTab);
    EXPECT_EQ(Range().Type(), Range::ByNumber);
    EXPECT_EQ(CountLabel(), Count(0));
    AddInterval(10, 20);
    EXPECT_EQ(CountLabel(), Count(2));
    EXPECT_EQ(ListedKeywords(), (QStringList{QStringLiteral("apple"), QStringLiteral("book")}));

    dialog->Tabs().SetCurrentTab(DlgRange::IndexTab); // back to the ticks: entry 3
    EXPECT_EQ(CountLabel(), Count(1));
    EXPECT_EQ(ListedKeywords(), QStringList{QStringLiteral("apple")});
    dialog->Tabs().SetCurrentTab(DlgRange::NumberTab); // the intervals are kept
    EXPECT_EQ(CountLabel(), Count(2));
}

TEST_F(RangeDialog, ValidRangeOfTheMethodFillsTheBoundsAndLimitsTheArrows)
{
    LoadSmallBook(PageClassSql);
    Open();
    dialog->Tabs().SetCurrentTab(DlgRange::NumberTab);
    EXPECT_EQ(Control<QLabel>(1802)->text(), QStringLiteral("（有効範囲：1～300）"));
    auto* lower = Control<QLineEdit>(1803);
    EXPECT_EQ(lower->text(), QStringLiteral("1"));
    EXPECT_EQ(Control<QLineEdit>(1804)->text(), QStringLiteral("300"));

    // The arrows wrap from one end of the valid range to the other.
    QTest::keyClick(lower, Qt::Key_Down);
    EXPECT_EQ(lower->text(), QStringLiteral("300"));
    Control<CUpDownCtrl>(1806)->Step(1);
    EXPECT_EQ(Control<QLineEdit>(1804)->text(), QStringLiteral("1"));

    // A method without a stored valid range shows none, and the limits of
    // the previous method no longer apply.
    lower->setText(QStringLiteral("300"));
    ChooseMethod(1);
    EXPECT_TRUE(Control<QLabel>(1802)->text().isEmpty());
    EXPECT_EQ(lower->text(), QStringLiteral("300"));
    QTest::keyClick(lower, Qt::Key_Up);
    EXPECT_EQ(lower->text(), QStringLiteral("301"));
}

TEST_F(RangeDialog, ABookWithoutRangesByNumberShowsOnlyTheContentsTab)
{
    QString sql = BookFixture::SmallBookSql();
    sql.replace(QStringLiteral("('RangeNumber','1')"), QStringLiteral("('RangeNumber','0')"));
    Load(sql);
    model.SetRange(Ranges(1, Intervals{{10, 20}}));
    Open();
    EXPECT_EQ(dialog->Tabs().count(), 1);
    EXPECT_EQ(dialog->Tabs().tabText(0), Res::String(552));
    EXPECT_FALSE(dialog->NumberPage().isVisible());
    // The range in force stays until the teacher ticks something.
    EXPECT_EQ(RangeIntervals(), (Intervals{{10, 20}}));
    EXPECT_EQ(CountLabel(), Count(2));
    ClickBoxOf(4);
    EXPECT_EQ(RangeIndexIds(), std::vector<int>{4});
}

TEST_F(RangeDialog, SampleBookSectionCoversTheVocabularyOfItsRelations)
{
    const QString path = QStringLiteral(TV_TEST_DATA_DIR "/eitango101_main.db");
    ASSERT_TRUE(model.LoadBooks({path}));
    ASSERT_TRUE(DlgRange::AllowsRangeNumber(model));
    Open();
    EXPECT_EQ(dialog->Tabs().count(), 2);

    const Index* section = FirstChoosableLeaf(model.Storage().Root());
    ASSERT_NE(section, nullptr);
    ClickBoxOf(section->iid);
    const qlonglong expected = QueryInt(path,
        QStringLiteral("SELECT count(DISTINCT r.kid) FROM IKRelations r "
                       "JOIN Keywords k ON k.kid = r.kid WHERE r.iid = %1")
            .arg(section->iid));
    ASSERT_GT(expected, 0);
    EXPECT_EQ(CountLabel(), Count(static_cast<int>(expected)));
    EXPECT_EQ(ListedKeywords().size(), expected);
}
