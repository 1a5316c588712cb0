#include "quiz/Ranges.h"
#include "StorageFixture.h"

#include "model/IKRelations.h"
#include "quiz/RangeIndex.h"

#include <QRandomGenerator>

#include <algorithm>

namespace {

const QChar kWave(0xFF5E);

class RangesTest : public StorageFixture {
protected:
    void SetUp() override { LoadBook(); }

    const Keyword& KeywordOf(int kid) { return *storage.KeywordPool().Find(kid); }

    // The ids of the book's keywords that `range` contains, in book order.
    std::vector<int> Contained(const Ranges& range)
    {
        std::vector<int> kids;
        for (const Keyword* keyword : storage.Keywords())
            if (range.Contains(*keyword))
                kids.push_back(keyword->kid);
        return kids;
    }
};

TEST_F(RangesTest, EmptyRangeContainsNothingAndDescribesAsNothing)
{
    const Ranges empty;
    EXPECT_TRUE(Contained(empty).empty());
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(empty.Type(), 0);
    EXPECT_EQ(empty.Describe(storage), QString());
    EXPECT_TRUE(empty.IndexIds().empty());
    EXPECT_EQ(empty.NumberRange(), nullptr);
}

TEST_F(RangesTest, IndexRangeFollowsTheRelationsOfItsEntries)
{
    EXPECT_EQ(Contained(Ranges(std::vector<int>{3})), std::vector<int>{201});
    EXPECT_EQ(Contained(Ranges(std::vector<int>{5, 3})), (std::vector<int>{201, 203}));
    // An entry without relations of its own does not stand for its children.
    EXPECT_TRUE(Contained(Ranges(std::vector<int>{2})).empty());
    EXPECT_TRUE(Contained(Ranges(std::vector<int>{})).empty());
}

// Against the entry-by-entry test it replaces, over random relations and
// entry sets; a range made before the relations change (another book)
// follows the new ones.
TEST_F(RangesTest, IndexRangeHoldsWhatSomeOfItsEntriesRelateTo)
{
    QRandomGenerator random(22);
    std::vector<Keyword> keywords(300);
    for (int i = 0; i < 300; ++i)
        keywords[static_cast<std::size_t>(i)].kid = i + 1;
    for (int round = 0; round < 20; ++round) {
        std::vector<std::pair<int, int>> relations;
        for (int n = 0; n < 400; ++n)
            relations.emplace_back(random.bounded(1, 40), random.bounded(1, 301));
        std::vector<int> entries;
        for (int n = random.bounded(0, 12); n > 0; --n)
            entries.push_back(random.bounded(0, 45));
        const RangeIndex range(entries);
        range.Contains(keywords.front());
        IKRelations::ReplaceAll(relations);
        for (const Keyword& keyword : keywords) {
            bool related = false;
            for (int iid : entries)
                related = related || IKRelations::HasRelation(iid, keyword.kid);
            ASSERT_EQ(range.Contains(keyword), related) << "kid " << keyword.kid;
        }
    }
}

TEST_F(RangesTest, IndexRangeNamesItsEntriesInContentsOrder)
{
    EXPECT_EQ(Ranges(std::vector<int>{3}).Describe(storage), QStringLiteral("1-A"));
    // Given in any order (stored ids come back ascending), named in the
    // order of the contents; a chosen entry that holds others is named too.
    EXPECT_EQ(Ranges(std::vector<int>{4, 3}).Describe(storage), QStringLiteral("1-A") + kWave + QStringLiteral("1-B"));
    EXPECT_EQ(Ranges(std::vector<int>{4, 2, 3}).Describe(storage),
        QStringLiteral("Lesson 1") + kWave + QStringLiteral("1-B"));
    EXPECT_EQ(Ranges(std::vector<int>{}).Describe(storage), QString());
    // An entry the book lacks is left out.
    EXPECT_EQ(Ranges(std::vector<int>{99, 3}).Describe(storage), QStringLiteral("1-A"));
}

// A book of stages: 第1部 (Stage 1–4), 第2部 (Stage 5–6), Stage 7 switched
// off, 第3部 (Stage 8–40). The ids of the second part come before the
// first's, as a book's ids need not follow its contents.
class StageRangesTest : public StorageFixture {
protected:
    void SetUp() override
    {
        QString sql = BookFixture::SmallBookSql() + QStringLiteral("DELETE FROM Indices;\n");
        sql += QStringLiteral("INSERT INTO Indices VALUES(1,1,0,0,1,1,'目次');\n");
        const auto add = [&sql](int iid, int parent, int sortKey, bool enable, const QString& title) {
            sql += QStringLiteral("INSERT INTO Indices VALUES(%1,1,%2,0,%3,%4,'%5');\n")
                       .arg(iid)
                       .arg(parent)
                       .arg(sortKey)
                       .arg(enable ? 1 : 0)
                       .arg(title);
        };
        add(50, 1, 2, true, QStringLiteral("第1部"));
        for (int stage = 1; stage <= 4; ++stage)
            add(50 + stage, 50, 2 + stage, true, QStringLiteral("Stage %1").arg(stage));
        add(10, 1, 10, true, QStringLiteral("第2部"));
        add(15, 10, 15, true, QStringLiteral("Stage 5"));
        add(16, 10, 16, true, QStringLiteral("Stage 6"));
        add(17, 1, 17, false, QStringLiteral("Stage 7"));
        add(100, 1, 100, true, QStringLiteral("第3部"));
        for (int stage = 8; stage <= 40; ++stage)
            add(100 + stage, 100, 100 + stage, true, QStringLiteral("Stage %1").arg(stage));
        LoadBook(sql);
    }

    QString Describe(std::vector<int> iids)
    {
        // Stored ids come back in ascending order.
        std::sort(iids.begin(), iids.end());
        return Ranges(iids).Describe(storage);
    }
};

TEST_F(StageRangesTest, ContiguousRangeNamesItsFirstAndLastStage)
{
    EXPECT_EQ(Describe({51, 52, 53, 54, 15, 16}), QStringLiteral("Stage 1") + kWave + QStringLiteral("Stage 6"));
    // Stage 7 cannot be chosen, so 6 and 8 follow one another.
    EXPECT_EQ(Describe({16, 108, 109}), QStringLiteral("Stage 6") + kWave + QStringLiteral("Stage 9"));
    EXPECT_EQ(Describe({53}), QStringLiteral("Stage 3"));
}

TEST_F(StageRangesTest, RangeWithGapsNamesEachRunInContentsOrder)
{
    EXPECT_EQ(Describe({51, 15, 16}), QStringLiteral("Stage 1、Stage 5") + kWave + QStringLiteral("Stage 6"));
    EXPECT_EQ(Describe({52, 54, 110, 111, 112}),
        QStringLiteral("Stage 2、Stage 4、Stage 10") + kWave + QStringLiteral("Stage 12"));
}

// Every other stage: the whole runs that fit in 60 characters, then "ほか".
TEST_F(StageRangesTest, LongRangeLineKeepsTheWholeRunsThatFit)
{
    std::vector<int> everyOther;
    for (int stage = 8; stage <= 40; stage += 2)
        everyOther.push_back(100 + stage);
    const QString text = Describe(everyOther);
    EXPECT_EQ(text, QStringLiteral("Stage 8、Stage 10、Stage 12、Stage 14、Stage 16、Stage 18ほか"));
    EXPECT_LE(text.size(), 60);
    // One run never is cut, however long.
    std::vector<int> all;
    for (int stage = 8; stage <= 40; ++stage)
        all.push_back(100 + stage);
    EXPECT_EQ(Describe(all), QStringLiteral("Stage 8") + kWave + QStringLiteral("Stage 40"));
}

TEST_F(RangesTest, IndexRangeIdsAscendingAndInOrder)
{
    const Ranges range(std::vector<int>{5, 3, 4});
    EXPECT_EQ(range.Type(), Range::ByIndex);
    EXPECT_EQ(range.IndexIds(), (std::set<int>{3, 4, 5}));
    EXPECT_EQ(range.OrderedIndexIds(), (std::vector<int>{5, 3, 4}));
    EXPECT_FALSE(range.IsEmpty());
    EXPECT_TRUE(Ranges(std::vector<int>{}).IsEmpty());
}

TEST_F(RangesTest, NumberRangeIncludesBothEndsAndIgnoresReversedIntervals)
{
    EXPECT_EQ(Contained(Ranges(1, {{10, 20}})), (std::vector<int>{201, 202}));
    EXPECT_EQ(Contained(Ranges(1, {{20, 20}})), std::vector<int>{202});
    EXPECT_EQ(Contained(Ranges(1, {{30, 10}})), std::vector<int>{});
    EXPECT_EQ(Contained(Ranges(1, {{5, 5}, {30, 10}, {25, 40}})), std::vector<int>{203});
}

TEST_F(RangesTest, NumberRangeNeedsAValueOfItsClassAndReadsATextValueAsZero)
{
    // Class 101 is given to sentences only.
    EXPECT_TRUE(Contained(Ranges(101, {{-100000, 100000}})).empty());
    // Class 2 holds texts (keyword 202 only): they count as the number 0.
    EXPECT_EQ(Contained(Ranges(2, {{0, 0}})), std::vector<int>{202});
    EXPECT_EQ(Contained(Ranges(2, {{-5, -1}, {1, 5}})), std::vector<int>{});
}

TEST_F(RangesTest, NumberRangeDescription)
{
    EXPECT_EQ(Ranges(1, {{10, 20}, {25, 25}}).Describe(storage),
        QStringLiteral("No.で選択 10") + kWave + QStringLiteral("20, 25"));
    EXPECT_EQ(
        Ranges(1, {{5, 5}, {8, 3}}).Describe(storage), QStringLiteral("No.で選択 5, 8") + kWave + QStringLiteral("3"));
    EXPECT_EQ(Ranges(1, {{-3, -1}}).Describe(storage), QStringLiteral("No.で選択 -3") + kWave + QStringLiteral("-1"));
    EXPECT_EQ(Ranges(1, {}).Describe(storage), QStringLiteral("No.で選択 "));
    // A class the book lacks has no name.
    EXPECT_EQ(Ranges(77, {{1, 2}}).Describe(storage), QStringLiteral(" 1") + kWave + QStringLiteral("2"));
}

TEST_F(RangesTest, NumberRangeOfZeroIntervalsIsEmptyYetContainsZero)
{
    EXPECT_TRUE(Ranges(1, {}).IsEmpty());
    EXPECT_TRUE(Ranges(1, {{0, 0}, {0, 0}}).IsEmpty());
    EXPECT_FALSE(Ranges(1, {{0, 0}, {0, 1}}).IsEmpty());

    ASSERT_TRUE(storage.LoadBooks({BuildBook(
        BookFixture::SmallBookSql() + QStringLiteral("UPDATE KeywordAttrs SET value=0 WHERE kid=203 AND acid=1;"),
        QStringLiteral("zero"))}));
    const Ranges zero(1, {{0, 0}});
    EXPECT_TRUE(zero.IsEmpty());
    EXPECT_EQ(Contained(zero), std::vector<int>{203});
}

TEST_F(RangesTest, CopiesShareOneRange)
{
    const Ranges range(1, {{1, 2}});
    const Ranges copy = range;
    EXPECT_EQ(copy.Get(), range.Get());
    ASSERT_NE(copy.NumberRange(), nullptr);
    EXPECT_EQ(copy.NumberRange()->AttrClassId(), 1);
    EXPECT_EQ(copy.NumberRange()->GetIntervals(), (RangeNumber::Intervals{{1, 2}}));
    EXPECT_TRUE(copy.IndexIds().empty());
}

} // namespace
