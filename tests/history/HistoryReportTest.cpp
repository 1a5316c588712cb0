#include "history/HistoryReport.h"
#include "history/HistoryStore.h"
#include "model/DataBase.h"
#include "quiz/Model.h"
#include "quiz/RandomGenerator.h"
#include "support/BookFixture.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <array>

namespace {

// A model over the small test book (formats 11 "英語に" and 12 "日本語に")
// with two prints, recorded through the history file of a private folder.
class HistoryReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_EQ(model.Db().OpenUser(dir.filePath(QStringLiteral("tv_user.db"))), 0);
        const QString book = dir.filePath(QStringLiteral("small_main.db"));
        ASSERT_EQ(BookFixture::Build(book, BookFixture::SmallBookSql()), QString());
        ASSERT_TRUE(model.LoadBooks({book}));
        model.SetQuestions({12, 11});
        model.SetRange(Ranges(std::vector<int>{3, 4}));
        Quiz first = model.GetQuiz(0);
        for (int sid : {61, 52, 51})
            first.AddSentence(model.Storage().SentenceById(sid));
        model.SetQuiz(0, first);
        model.AddQuiz();
        Quiz second = model.GetQuiz(1);
        second.AddSentence(model.Storage().SentenceById(51));
        model.SetQuiz(1, second);
    }

    QByteArray Csv(bool bom)
    {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        EXPECT_TRUE(HistoryReport::WriteCsv(store, out, bom));
        return out.data();
    }

    QTemporaryDir dir;
    Model model;
    HistoryStore store{dir.filePath(QStringLiteral("tv_history.db"))};
};

TEST_F(HistoryReportTest, PrintsOfTheModelAreRecordedAsPrinted)
{
    const RunRecord run = RunRecord::FromModel(model, QStringLiteral("yoko.dot"), QString());
    EXPECT_EQ(run.dbid, QStringLiteral("TV-TEST-1"));
    EXPECT_EQ(run.bid, 1);
    EXPECT_EQ(run.bookTitle, QStringLiteral("テスト英単語 1"));
    EXPECT_EQ(run.formats, QStringLiteral("12,11"));
    EXPECT_EQ(run.formatNames, QStringLiteral("日本語に、英語に"));
    EXPECT_EQ(run.range, QStringLiteral("1:3,4"));
    EXPECT_EQ(run.rangeLine, model.RangeLine());
    EXPECT_EQ(run.prints, QStringLiteral("12:61|11:52,51/12:|11:51"));
    EXPECT_FALSE(run.seed); // chosen by hand
    ASSERT_EQ(run.printList.size(), 2u);
    // Numbers start again with each question format, as on the paper.
    std::vector<std::array<int, 3>> first;
    for (const RecordedItem& item : run.printList[0].items)
        first.push_back({item.sid, item.kid, item.number});
    EXPECT_EQ(first, (std::vector<std::array<int, 3>>{{61, 201, 1}, {52, 202, 1}, {51, 201, 2}}));
    EXPECT_EQ(run.printList[0].items[1].format, QStringLiteral("英語に"));
    EXPECT_EQ(run.printList[0].items[1].keyword, QStringLiteral("book"));
}

TEST_F(HistoryReportTest, SelectionSeedIsKeptUntilThePrintsAreChangedByHand)
{
    AutoSelectOptions options = model.ReadAutoSelectOptions();
    options.printCount = 2;
    std::array<bool, 2> warnings{};
    const std::uint32_t before = RandomGenerator::State();
    const int result = model.AutoSelect(options, warnings);
    ASSERT_TRUE(result == Model::kAutoSelectOk || result == Model::kAutoSelectWarnings) << result;
    EXPECT_EQ(RunRecord::FromModel(model, {}, {}).seed, before);
    model.SetQuiz(0, model.GetQuiz(0));
    EXPECT_FALSE(RunRecord::FromModel(model, {}, {}).seed);
}

TEST_F(HistoryReportTest, ListAndCsvGiveEveryRunAndSubQuestion)
{
    RunRecord run = RunRecord::FromModel(model, QStringLiteral("yoko.dot"), QString());
    run.when = QDateTime(QDate(2026, 4, 20), QTime(9, 5, 7), QTimeZone(9 * 3600));
    run.name = QStringLiteral("=HYPERLINK(\"x\")\t前期");
    ASSERT_EQ(store.Record(run), 1);
    run.name.clear();
    run.printList[1].className = QStringLiteral("-1組");
    ASSERT_EQ(store.Record(run), 2);

    QBuffer list;
    list.open(QIODevice::WriteOnly);
    ASSERT_TRUE(HistoryReport::WriteList(store, list));
    const QStringList lines = QString::fromUtf8(list.data()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].split(u'\t'),
        (QStringList{"2", "2026-04-20T09:05:07+09:00", "", "テスト英単語 1", "2", "4", model.RangeLine()}));
    EXPECT_EQ(lines[1].split(u'\t')[2], QStringLiteral("=HYPERLINK(\"x\") 前期"));

    const QByteArray csv = Csv(true);
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    const QStringList rows = QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 1 + 8);
    EXPECT_EQ(rows[0],
        QStringLiteral("\"実行ID\",\"日時\",\"名前\",\"書籍\",\"DBID\",\"プリント\",\"クラス\",\"番号\","
                       "\"出題形式\",\"文ID\",\"語ID\",\"見出し語\""));
    EXPECT_EQ(rows[1],
        QStringLiteral("\"1\",\"2026-04-20T09:05:07+09:00\",\"'=HYPERLINK(\"\"x\"\")\t前期\","
                       "\"テスト英単語 1\",\"TV-TEST-1\",\"1\",\"\",\"1\",\"日本語に\",\"61\",\"201\","
                       "\"apple\""));
    EXPECT_EQ(rows[8],
        QStringLiteral("\"2\",\"2026-04-20T09:05:07+09:00\",\"\",\"テスト英単語 1\",\"TV-TEST-1\","
                       "\"2\",\"'-1組\",\"1\",\"英語に\",\"51\",\"201\",\"apple\""));
    EXPECT_TRUE(Csv(false).startsWith("\"実行ID\""));
}

} // namespace
