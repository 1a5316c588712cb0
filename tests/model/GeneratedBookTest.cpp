// The generator of large books for benchmarks writes a book the reader
// accepts, of the size asked for, with keywords drilled by every format.
#include "model/DataBase.h"
#include "model/NodeStorage.h"

#include "support/SampleBooks.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

namespace {

class GeneratedBookTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        if (python.isEmpty())
            GTEST_SKIP() << "python3 is not installed";
    }

    // Runs the generator; its exit code (-1 when it could not run).
    int Generate(const QStringList& arguments)
    {
        QProcess process;
        process.start(python, QStringList{QStringLiteral(TV_SOURCE_DIR "/tools/generate_book.py")} + arguments);
        if (!process.waitForFinished(60000))
            return -1;
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QTemporaryDir dir;
    QString python;
};

TEST_F(GeneratedBookTest, WritesABookOfTheRequestedSizeThatLoads)
{
    const QString path = dir.filePath(QStringLiteral("large_main.db"));
    ASSERT_EQ(Generate({QStringLiteral("--keywords"), QStringLiteral("120"), QStringLiteral("--sentences"),
                  QStringLiteral("900"), QStringLiteral("--questions"), QStringLiteral("3"), path}),
        0);

    DataBase db;
    NodeStorage storage(db);
    ASSERT_TRUE(storage.LoadBooks({path}));
    EXPECT_TRUE(db.Dbid().startsWith(QStringLiteral("TV")));
    EXPECT_EQ(storage.Keywords().size(), 120u);
    ASSERT_EQ(storage.Questions().size(), 3u);
    std::size_t total = 0;
    std::set<int> keywordsOfFirstFormat;
    for (const Question* question : storage.Questions()) {
        std::vector<Sentence*> sentences;
        storage.SentencesOf(question->qid, sentences);
        for (const Sentence* sentence : sentences) {
            ASSERT_NE(sentence->keyword, nullptr);
            if (question == storage.Questions().front())
                keywordsOfFirstFormat.insert(sentence->kid);
        }
        total += sentences.size();
    }
    EXPECT_EQ(total, 900u);
    EXPECT_EQ(keywordsOfFirstFormat.size(), 120u);
    // Pre-order contents: the reader built a tree of parts, units and sections.
    ASSERT_NE(storage.Root(), nullptr);
    EXPECT_GT(storage.IndexPool().Size(), 6u);
}

TEST_F(GeneratedBookTest, SameArgumentsGiveTheSameContent)
{
    const QString a = dir.filePath(QStringLiteral("a.db"));
    const QString b = dir.filePath(QStringLiteral("b.db"));
    const QStringList size{
        QStringLiteral("--keywords"), QStringLiteral("40"), QStringLiteral("--sentences"), QStringLiteral("200")};
    ASSERT_EQ(Generate(size + QStringList{a}), 0);
    ASSERT_EQ(Generate(size + QStringList{b}), 0);
    const QString sql
        = QStringLiteral("select group_concat(sentence, '|') from (select sentence from Sentences order by sid)");
    EXPECT_EQ(QueryRows(a, sql), QueryRows(b, sql));
}

TEST_F(GeneratedBookTest, RefusesASizeWithoutKeywords)
{
    EXPECT_NE(
        Generate({QStringLiteral("--keywords"), QStringLiteral("0"), dir.filePath(QStringLiteral("none.db"))}), 0);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("none.db"))));
}

} // namespace
