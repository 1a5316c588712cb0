// A bundled book exported as a question sheet and imported again gives the
// same prints for the same selection as the original.
#include "ImportFixture.h"

#include "bookimport/BookChecker.h"
#include "bookimport/BookExporter.h"
#include "model/DataBase.h"
#include "model/Index.h"
#include "model/NodeStorage.h"
#include "model/Question.h"
#include "model/Sentence.h"
#include "print/Parser.h"
#include "quiz/Model.h"

#include <thread>

namespace {

QString BundledPath(const SampleBook& book)
{
    return QStringLiteral(TV_TEST_DATA_DIR "/") + book.file;
}

// What a teacher gets from one book: the candidates of every format for a
// contents entry chosen by its title, and the print commands of an
// automatic selection over a number range. The selection runs on a fresh
// thread, whose random numbers start from the same state every time.
struct Outcome {
    std::vector<QStringList> candidates; // per format in book order: question | answer
    std::vector<Print::Cmd> commands;
    int autoSelect = -1;
};

void Collect(const QString& bookPath, const QString& entryTitle, Outcome& outcome)
{
    Model model;
    model.Db().SetUserEnabled(false);
    ASSERT_TRUE(model.LoadBooks({bookPath}));
    NodeStorage& storage = model.Storage();
    std::vector<int> qids;
    for (const Question* question : storage.Questions())
        qids.push_back(question->qid);
    model.SetQuestions(qids);

    std::vector<int> entries;
    for (const Index* entry : storage.IndexPool().List())
        if (entry->title == entryTitle)
            entries.push_back(entry->iid);
    ASSERT_EQ(entries.size(), 1u) << entryTitle.toStdString();
    model.SetRange(Ranges(entries));
    for (int qid : qids) {
        std::vector<const Sentence*> sentences;
        model.CandidateSentences(sentences, qid);
        QStringList texts;
        for (const Sentence* s : sentences)
            texts.append(s->sentence + u'|' + s->answer);
        outcome.candidates.push_back(texts);
    }

    model.SetRange(Ranges(2, {{1, 40}, {90, 120}}));
    AutoSelectOptions options;
    options.printCount = 2;
    options.defaultCount = 4;
    for (const Question* question : storage.Questions())
        options.counts.emplace_back(question, 4);
    std::array<bool, 2> warnings{};
    std::thread run([&] { outcome.autoSelect = model.AutoSelect(options, warnings); });
    run.join();
    std::vector<Quiz> quizzes;
    for (int i = 0; i < model.QuizCount(); ++i)
        quizzes.push_back(model.GetQuiz(i));
    Print::CmdList commands;
    Print::Parser().Parse(commands, quizzes);
    for (const auto& command : commands)
        outcome.commands.push_back(*command);
}

class RoundTripTest : public ImportFixture, public testing::WithParamInterface<SampleBook> { };

TEST_P(RoundTripTest, ExportedAndImportedBookGivesTheSamePrints)
{
    const SampleBook& book = GetParam();
    const QString original = BundledPath(book);
    const QString sheet = PathOf(QStringLiteral("sheet.csv"));
    Problems problems;
    ASSERT_TRUE(BookExporter::Export(original, sheet, false, problems)) << problems.Lines().join(u'\n').toStdString();
    const QString copy = Import(sheet, PathOf(QStringLiteral("copy_main.db")), book.product, &problems);
    ASSERT_FALSE(copy.isEmpty()) << problems.Lines().join(u'\n').toStdString();
    EXPECT_TRUE(problems.IsEmpty()) << problems.Lines().join(u'\n').toStdString();
    EXPECT_TRUE(BookChecker::Check(copy, problems)) << problems.Lines().join(u'\n').toStdString();

    // The first section of the first chapter that has keywords.
    const QString entry = QueryRows(
        original, QStringLiteral("select title from Indices where iid = (select min(iid) from IKRelations)"))[0][0]
                              .toString();
    Outcome before;
    Outcome after;
    Collect(original, entry, before);
    Collect(copy, entry, after);
    EXPECT_TRUE(before.autoSelect == Model::kAutoSelectOk || before.autoSelect == Model::kAutoSelectWarnings);
    EXPECT_EQ(after.autoSelect, before.autoSelect);
    EXPECT_EQ(after.candidates, before.candidates);
    ASSERT_GT(before.commands.size(), 100u);
    EXPECT_EQ(after.commands, before.commands);

    // Exporting the copy gives the very same sheet.
    const QString again = PathOf(QStringLiteral("again.csv"));
    ASSERT_TRUE(BookExporter::Export(copy, again, false, problems));
    QFile first(sheet);
    QFile second(again);
    ASSERT_TRUE(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
    EXPECT_EQ(first.readAll(), second.readAll());
}

INSTANTIATE_TEST_SUITE_P(Books, RoundTripTest, testing::ValuesIn(SampleBooks()),
    [](const testing::TestParamInfo<SampleBook>& info) { return "Type" + info.param.product.toStdString(); });

} // namespace
