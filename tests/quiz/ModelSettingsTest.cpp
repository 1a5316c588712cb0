#include "quiz/Model.h"

#include "model/CppSQLite3DB.h"
#include "model/DataBase.h"
#include "model/NodeStorage.h"
#include "model/Question.h"
#include "support/BookFixture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ModelSettingsTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        userPath = dir.filePath(QStringLiteral("tv_user.db"));
        ASSERT_EQ(model.Db().OpenUser(userPath), 0);
    }

    void LoadSmallBook()
    {
        const QString book = BookFixture::MakeIn(dir, QStringLiteral("a_main.db"), BookFixture::SmallBookSql());
        ASSERT_TRUE(model.Storage().LoadBooks({book}));
    }

    QString Stored(const QString& name) { return model.Db().UserInfo(name); }

    QTemporaryDir dir;
    QString userPath;
    Model model;
};

TEST_F(ModelSettingsTest, FreshUserDatabaseGivesTheDefaults)
{
    const PrintOptions print = model.ReadPrintOptions();
    EXPECT_EQ(print.title, QString());
    EXPECT_TRUE(print.showRange);
    EXPECT_FALSE(print.useBonus);
    const AutoSelectOptions autoSelect = model.ReadAutoSelectOptions();
    EXPECT_EQ(autoSelect.printCount, 3);
    EXPECT_EQ(autoSelect.defaultCount, 10);
    EXPECT_TRUE(autoSelect.counts.empty());
    EXPECT_TRUE(autoSelect.randomize);
    EXPECT_EQ(model.ReadTemplateName(), QString());
    EXPECT_EQ(model.ReadWpa(), 0);
}

TEST_F(ModelSettingsTest, PrintOptionsRoundTrip)
{
    model.WritePrintOptions({QStringLiteral("1学期 単語テスト"), false, true});
    EXPECT_EQ(Stored(QStringLiteral("conf_print_title")), QStringLiteral("1学期 単語テスト"));
    EXPECT_EQ(Stored(QStringLiteral("conf_show_range")), QStringLiteral("0"));
    EXPECT_EQ(Stored(QStringLiteral("conf_use_bonus")), QStringLiteral("1"));
    const PrintOptions read = model.ReadPrintOptions();
    EXPECT_EQ(read.title, QStringLiteral("1学期 単語テスト"));
    EXPECT_FALSE(read.showRange);
    EXPECT_TRUE(read.useBonus);
}

TEST_F(ModelSettingsTest, StoredFlagsReadAsNumbers)
{
    model.Db().SetUserInfo(QStringLiteral("conf_show_range"), QStringLiteral("5"));
    EXPECT_TRUE(model.ReadPrintOptions().showRange);
    model.Db().SetUserInfo(QStringLiteral("conf_show_range"), QStringLiteral("yes"));
    EXPECT_TRUE(model.ReadPrintOptions().showRange);
    model.Db().SetUserInfo(QStringLiteral("conf_show_range"), QStringLiteral("0"));
    EXPECT_FALSE(model.ReadPrintOptions().showRange);
}

TEST_F(ModelSettingsTest, AutoSelectCountsFollowTheSelectedFormats)
{
    LoadSmallBook();
    model.Db().SetUserInfo(QStringLiteral("autosel_question_counts"), QStringLiteral("11:4|13:7|99:1"));
    model.Db().SetUserInfoInt(QStringLiteral("autosel_s_count"), 6);
    model.SetSelectedQids({12, 11, 77});
    const AutoSelectOptions read = model.ReadAutoSelectOptions();
    ASSERT_EQ(read.counts.size(), 2u); // 77 is not a format of this book
    EXPECT_EQ(read.counts[0].first->qid, 12);
    EXPECT_EQ(read.counts[0].second, 6);
    EXPECT_EQ(read.counts[1].first->qid, 11);
    EXPECT_EQ(read.counts[1].second, 4);

    AutoSelectOptions write = read;
    write.printCount = 5;
    write.counts[0].second = 2;
    write.randomize = false;
    model.WriteAutoSelectOptions(write);
    // Counts of formats not in the list (13, 99) are dropped.
    EXPECT_EQ(Stored(QStringLiteral("autosel_question_counts")), QStringLiteral("11:4|12:2"));
    EXPECT_EQ(Stored(QStringLiteral("autosel_p_count")), QStringLiteral("5"));
    EXPECT_EQ(Stored(QStringLiteral("autosel_s_count")), QStringLiteral("6"));
    EXPECT_EQ(Stored(QStringLiteral("autosel_randomize")), QStringLiteral("0"));
    EXPECT_FALSE(model.ReadAutoSelectOptions().randomize);
}

// A class count stored out of the dialog's range (by hand, or by a program
// that offered more) comes back within it.
TEST_F(ModelSettingsTest, StoredClassCountIsKeptToTheDialogsRange)
{
    const std::pair<const char*, int> cases[]
        = {{"0", 1}, {"-3", 1}, {"1", 1}, {"10", 10}, {"11", 10}, {"100000", 10}, {"99999999999", 3}, {"three", 3}};
    for (const auto& [stored, read] : cases) {
        model.Db().SetUserInfo(QStringLiteral("autosel_p_count"), QString::fromLatin1(stored));
        EXPECT_EQ(model.ReadAutoSelectOptions().printCount, read) << stored;
    }
}

TEST_F(ModelSettingsTest, TemplateAndWordProcessorRoundTrip)
{
    model.WriteTemplateName(QStringLiteral("単語テスト.dot"));
    model.WriteWpa(2);
    EXPECT_EQ(model.ReadTemplateName(), QStringLiteral("単語テスト.dot"));
    EXPECT_EQ(model.ReadWpa(), 2);
}

TEST_F(ModelSettingsTest, DisabledUserDatabaseReadsDefaultsAndKeepsNothing)
{
    model.WriteTemplateName(QStringLiteral("kept.dot"));
    model.Db().SetUserEnabled(false);
    model.WritePrintOptions({QStringLiteral("lost"), false, true});
    model.WriteTemplateName(QStringLiteral("lost.dot"));
    EXPECT_EQ(model.ReadPrintOptions().title, QString());
    EXPECT_EQ(model.ReadTemplateName(), QString());
    model.Db().SetUserEnabled(true);
    EXPECT_EQ(model.ReadTemplateName(), QStringLiteral("kept.dot"));
    EXPECT_EQ(Stored(QStringLiteral("conf_print_title")), QString());
}

TEST_F(ModelSettingsTest, DatabaseErrorsGiveDefaultsAndLoseNoWrite)
{
    model.WriteWpa(1);
    CppSQLite3DB raw;
    raw.Open(userPath.toStdString());
    raw.ExecuteBatch("drop table Info;");
    EXPECT_EQ(model.ReadWpa(), 0);
    EXPECT_TRUE(model.ReadPrintOptions().showRange);
    EXPECT_EQ(model.ReadAutoSelectOptions().printCount, 3);
    EXPECT_NO_THROW(model.WriteWpa(2));
    EXPECT_NO_THROW(model.WritePrintOptions({}));
}

} // namespace
