#include "history/HistoryRecorder.h"
#include "history/HistoryStore.h"
#include "model/CppSQLite3DB.h"
#include "res/ResourceIds.h"
#include "support/ReadOnlyAccess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

// A run of `prints` prints of `items` sub-questions each; keyword ids
// start at `firstKid` and run on through the prints.
RunRecord MakeRun(const QString& dbid, int bid, int prints, int items, int firstKid = 1)
{
    RunRecord run;
    run.when = QDateTime(QDate(2026, 5, 12), QTime(8, 30), QTimeZone(9 * 3600));
    run.dbid = dbid;
    run.bid = bid;
    run.bookTitle = QStringLiteral("英単語 基本編");
    run.formats = QStringLiteral("11,12");
    run.formatNames = QStringLiteral("和訳、語順");
    run.range = QStringLiteral("1:3,5");
    run.rangeLine = QStringLiteral("（英単語 基本編／Unit 1）");
    run.prints = QStringLiteral("11:51,52|12:");
    run.templateName = QStringLiteral("yoko.dot");
    run.output = QStringLiteral("/home/t/小テスト.pdf");
    int kid = firstKid;
    for (int p = 0; p < prints; ++p) {
        RecordedPrint print;
        print.className = p == 0 ? QStringLiteral("1年A組") : QString();
        for (int i = 0; i < items; ++i, ++kid)
            print.items.push_back(
                {11, QStringLiteral("和訳"), 1000 + kid, kid, QStringLiteral("word%1").arg(kid), i + 1});
        run.printList.push_back(print);
    }
    return run;
}

class HistoryStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString File() const { return dir.filePath(QStringLiteral("tv_history.db")); }

    QTemporaryDir dir;
};

TEST_F(HistoryStoreTest, RunsComeBackWholeNewestFirstAndByBook)
{
    HistoryStore store(File());
    EXPECT_TRUE(store.Runs().empty()); // no file yet: an empty history

    RunRecord first = MakeRun(QStringLiteral("TV-A"), 1, 2, 3);
    first.seed = 4000000000u; // beyond a signed 32-bit column
    RunRecord second = MakeRun(QStringLiteral("TV-B"), 1, 1, 2);
    second.kind = RunRecord::Kind::Export;
    const long long firstId = store.Record(first);
    const long long secondId = store.Record(second);
    ASSERT_GT(firstId, 0);
    ASSERT_GT(secondId, firstId);

    const auto runs = store.Runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].run.id, secondId);
    EXPECT_EQ(runs[1].printCount, 2);
    EXPECT_EQ(runs[1].itemCount, 6);
    EXPECT_EQ(store.Runs(QStringLiteral("TV-A"), 1).size(), 1u);
    EXPECT_TRUE(store.Runs(QStringLiteral("TV-A"), 2).empty());

    // A fresh store on the same file reads back every field.
    HistoryStore again(File());
    const auto back = again.Run(firstId);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->when, first.when);
    EXPECT_EQ(back->when.offsetFromUtc(), 9 * 3600);
    EXPECT_EQ(back->seed, 4000000000u);
    EXPECT_EQ(back->kind, RunRecord::Kind::Print);
    for (auto field :
        {&RunRecord::dbid, &RunRecord::bookTitle, &RunRecord::formats, &RunRecord::formatNames, &RunRecord::range,
            &RunRecord::rangeLine, &RunRecord::prints, &RunRecord::templateName, &RunRecord::output})
        EXPECT_EQ((*back).*field, first.*field);
    ASSERT_EQ(back->printList.size(), 2u);
    EXPECT_EQ(back->printList[0].className, QStringLiteral("1年A組"));
    ASSERT_EQ(back->printList[1].items.size(), 3u);
    const RecordedItem& item = back->printList[1].items[2];
    EXPECT_EQ(item.kid, 6);
    EXPECT_EQ(item.sid, 1006);
    EXPECT_EQ(item.number, 3);
    EXPECT_EQ(item.keyword, QStringLiteral("word6"));
    EXPECT_FALSE(again.Run(secondId)->seed);
    EXPECT_EQ(again.Run(secondId)->kind, RunRecord::Kind::Export);

    EXPECT_TRUE(again.Rename(firstId, QStringLiteral("期末の再テスト")));
    EXPECT_EQ(again.Run(firstId)->name, QStringLiteral("期末の再テスト"));
    EXPECT_TRUE(again.Remove(secondId));
    EXPECT_FALSE(again.Run(secondId));
    int items = 0;
    again.ForEachItem([&](const RunRecord& run, int, const QString&, const RecordedItem&) {
        EXPECT_EQ(run.id, firstId);
        ++items;
    });
    EXPECT_EQ(items, 6);
}

TEST_F(HistoryStoreTest, KeywordUsesCountEveryTestAndTheLastDate)
{
    HistoryStore store(File());
    RunRecord early = MakeRun(QStringLiteral("TV-A"), 1, 1, 3, 1); // keywords 1..3
    RunRecord late = MakeRun(QStringLiteral("TV-A"), 1, 1, 2, 2);  // keywords 2..3
    late.when = early.when.addDays(7);
    RunRecord other = MakeRun(QStringLiteral("TV-B"), 1, 1, 5, 1);
    for (const RunRecord* run : {&early, &late, &other})
        ASSERT_GT(store.Record(*run), 0);

    const auto uses = store.KeywordUses(QStringLiteral("TV-A"), 1);
    ASSERT_EQ(uses.size(), 3u);
    EXPECT_EQ(uses.at(1).count, 1);
    EXPECT_EQ(uses.at(1).last, early.when);
    EXPECT_EQ(uses.at(3).count, 2);
    EXPECT_EQ(uses.at(3).last, late.when);
}

TEST_F(HistoryStoreTest, DamagedFileIsSetAsideAndANewOneStarted)
{
    const QByteArray garbage(8192, 'x');
    {
        QFile file(File());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(garbage);
    }
    std::vector<std::pair<int, QString>> told;
    HistoryRecorder recorder(File(), [&](int id, const QString& argument) { told.emplace_back(id, argument); });
    EXPECT_GT(recorder.Record(MakeRun(QStringLiteral("TV-A"), 1, 1, 1)), 0);

    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].first, Res::IDS_HISTORY_SET_ASIDE);
    QFile aside(told[0].second);
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), garbage); // set aside whole, not deleted
    EXPECT_EQ(HistoryStore(File()).Runs().size(), 1u);
}

TEST_F(HistoryStoreTest, UnwritableFileKeepsItsRecordAndIsToldOnce)
{
    const QString folder = dir.filePath(QStringLiteral("userdata"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + QStringLiteral("/tv_history.db");
    ASSERT_GT(HistoryStore(file).Record(MakeRun(QStringLiteral("TV-A"), 1, 2, 3)), 0);

    HistoryRecorder::ResetToldOnce();
    int told = 0;
    HistoryRecorder recorder(file, [&](int id, const QString&) {
        EXPECT_EQ(id, Res::IDS_ERR_HISTORY_WRITE);
        ++told;
    });
    {
        const ReadOnlyAccess access({file, folder}, {dir.path()});
        EXPECT_EQ(recorder.Record(MakeRun(QStringLiteral("TV-A"), 1, 1, 1)), 0);
        EXPECT_EQ(recorder.Record(MakeRun(QStringLiteral("TV-A"), 1, 1, 1)), 0);
    }
    EXPECT_EQ(told, 1);
    // Nowhere to make the file at all.
    EXPECT_EQ(HistoryRecorder(QStringLiteral("/dev/null/tv_history.db")).Record(MakeRun("TV-A", 1, 1, 1)), 0);

    const auto runs = HistoryStore(file).Runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].itemCount, 6);
    EXPECT_FALSE(QFileInfo::exists(file + QStringLiteral(".damaged")));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 1);
}

TEST_F(HistoryStoreTest, FileOfANewerVersionIsNeitherReadNorChanged)
{
    {
        HistoryStore store(File());
        ASSERT_GT(store.Record(MakeRun(QStringLiteral("TV-A"), 1, 1, 1)), 0);
    }
    {
        CppSQLite3DB db;
        db.Open(File().toStdString());
        db.ExecuteBatch("PRAGMA user_version = 99");
    }
    QString error;
    EXPECT_EQ(HistoryStore(File()).Record(MakeRun(QStringLiteral("TV-A"), 1, 1, 1), &error), 0);
    EXPECT_FALSE(error.isEmpty());
    CppSQLite3DB db;
    db.Open(File().toStdString(), CppSQLite3DB::OpenMode::ReadOnly);
    EXPECT_EQ(db.Query("SELECT COUNT(*) FROM Runs").IntField(0), 1);
}

} // namespace
