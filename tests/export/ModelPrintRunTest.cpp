// The prints of the model as one print run writes them: the commands, the
// title and range line, the chosen word processor.
#include "export/PrintJob.h"
#include "export/PrintRequest.h"
#include "print/Parser.h"
#include "quiz/ModelFixture.h"
#include "support/RecordingCreator.h"

namespace {

class ModelPrintRunTest : public ModelFixture {
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        model.RegisterCreator(1, word);
        model.RegisterCreator(2, taro);
        ASSERT_TRUE(model.SetApplication(1));
        ASSERT_TRUE(model.LoadBooks({BuildBook(BookFixture::SmallBookSql())}));
        model.SetQuestions({11});
        Quiz quiz = model.GetQuiz(0);
        quiz.AddSentence(S(51));
        model.SetQuiz(0, quiz);
        model.AddQuiz();
        model.SetRange(Ranges(std::vector<int>{3}));
    }

    void SetPrintOptions(const QString& title, bool showRange)
    {
        PrintOptions options = model.ReadPrintOptions();
        options.title = title;
        options.showRange = showRange;
        model.WritePrintOptions(options);
    }

    // The commands as "kind:text".
    static QStringList Describe(const std::vector<Print::Cmd>& commands)
    {
        QStringList out;
        for (const Print::Cmd& command : commands)
            out << QStringLiteral("%1:%2").arg(command.kind).arg(command.text);
        return out;
    }

    // A run of the prints as the window and the command line start it.
    static bool Run(Model& model, const QString& templatePath)
    {
        PrintJob job(PrintRequest::FromModel(model, templatePath));
        job.Start();
        return job.Wait() == PrintJob::Outcome::Succeeded;
    }
    bool Run(const QString& templatePath) { return Run(model, templatePath); }

    std::shared_ptr<RecordingCreator> word = std::make_shared<RecordingCreator>();
    std::shared_ptr<RecordingCreator> taro = std::make_shared<RecordingCreator>();
};

TEST_F(ModelPrintRunTest, RunWritesEveryPrintWithTitleAndRangeLine)
{
    SetPrintOptions(QStringLiteral("1学期 小テスト"), true);
    ASSERT_TRUE(Run(QStringLiteral("/templates/A.dot")));
    EXPECT_EQ(word->runs, 1);
    EXPECT_EQ(taro->runs, 0);
    EXPECT_EQ(word->templatePath, QStringLiteral("/templates/A.dot"));
    EXPECT_EQ(word->title, QStringLiteral("1学期 小テスト"));
    EXPECT_EQ(word->rangeText, QStringLiteral("（テスト英単語 1／1-A）"));

    const QStringList questionHalf = {"10:1", "4:", "11:", "1:1", "7:次の日本語を英語にしなさい。", "4:", "2:1",
        "7:りんごを食べる。", "4:", "4:", "4:", "3:1", "7:______", "4:", "5:", "10:2", "4:", "11:", "1:1",
        "7:次の日本語を英語にしなさい。", "4:"};
    const QStringList written = Describe(word->commands);
    ASSERT_EQ(written.size(), 2 * questionHalf.size() + 1);
    EXPECT_EQ(written.mid(0, questionHalf.size()), questionHalf);
    EXPECT_EQ(written[questionHalf.size()], QStringLiteral("5:"));
    EXPECT_EQ(written[questionHalf.size() + 1 + 12], QStringLiteral("7:eat an apple"));
}

TEST_F(ModelPrintRunTest, RangeLineIsLeftOutWhenTheOptionIsOff)
{
    SetPrintOptions(QString(), false);
    ASSERT_TRUE(Run(QString()));
    EXPECT_EQ(word->rangeText, QString());
    EXPECT_EQ(word->title, QString());
}

TEST_F(ModelPrintRunTest, RunGoesToTheChosenWordProcessor)
{
    ASSERT_TRUE(model.SetApplication(2));
    EXPECT_EQ(model.Application(), 2);
    ASSERT_TRUE(Run(QStringLiteral("x.jtt")));
    EXPECT_EQ(taro->runs, 1);
    EXPECT_EQ(word->runs, 0);
    taro->completes = false;
    EXPECT_FALSE(Run(QStringLiteral("x.jtt")));
}

// A book may ask for any number of answer lines: a huge count (here as the
// 32-bit read of 99999999999 would give, and more) writes the capped number
// of empty lines, a negative count none, and the run still succeeds.
TEST_F(ModelPrintRunTest, AnswerLineCountsOfABookAreBounded)
{
    const QString sql = BookFixture::SmallBookSql(QStringLiteral("TV-LINES"), 7)
        + QStringLiteral("UPDATE Questions SET ans_field_spc=2000000000 WHERE qid=11;"
                         "UPDATE Questions SET ans_field_spc=-5 WHERE qid=12;");
    ASSERT_TRUE(model.LoadBooks({BuildBook(sql, QStringLiteral("lines"))}));
    model.SetQuestions({11, 12});
    Quiz quiz = model.GetQuiz(0);
    quiz.AddSentence(S(51));
    quiz.AddSentence(S(61));
    model.SetQuiz(0, quiz);

    ASSERT_TRUE(Run(QString()));
    // Empty paragraphs after each sentence's own paragraph end, question half first.
    std::vector<int> emptyRuns;
    const auto& commands = word->commands;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (commands[i].kind != 2) // an item number starts a sub-question
            continue;
        std::size_t j = i + 2;
        while (j < commands.size() && commands[j].kind == 4)
            ++j;
        emptyRuns.push_back(static_cast<int>(j - i - 2));
    }
    const int capped = 1 + Print::Parser::kMaxAnswerLines;
    EXPECT_EQ(emptyRuns, (std::vector<int>{capped, 1, capped, 1}));
    EXPECT_EQ(model.GetQuiz(0).SentenceCount(), 2);
}

TEST_F(ModelPrintRunTest, NoCreatorForTheApplicationFailsTheRun)
{
    Model bare;
    EXPECT_EQ(bare.Application(), 0);
    EXPECT_FALSE(Run(bare, QStringLiteral("A.dot")));
}

} // namespace
