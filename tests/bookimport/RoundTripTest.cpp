// A bundled book exported as a question sheet and imported again gives the
// same prints for the same selection as the original.
#include "ImportFixture.h"

#include "bookimport/BookChecker.h"
#include "bookimport/BookComparison.h"
#include "bookimport/BookExporter.h"
#include "bookimport/BookTool.h"
#include "model/CppSQLite3DB.h"
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
    // Imported with the type given, as a teacher may; the title is the sheet's.
    ImportRequest request;
    request.input = sheet;
    request.output = PathOf(QStringLiteral("copy_main.db"));
    request.type = book.product;
    const QString copy = BookImporter().Import(request, problems);
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

// The sheet carries the whole book: imported as a teacher imports it (no
// type, no title), it gives the same book, table by table, but for its ids.
TEST_P(RoundTripTest, ExportedAndImportedBookIsTheSameBook)
{
    const QString original = BundledPath(GetParam());
    const QString sheet = PathOf(QStringLiteral("sheet.csv"));
    Problems problems;
    ASSERT_TRUE(BookExporter::Export(original, sheet, false, problems)) << problems.Lines().join(u'\n').toStdString();
    EXPECT_TRUE(problems.IsEmpty()) << problems.Lines().join(u'\n').toStdString();
    ImportRequest request;
    request.input = sheet;
    request.output = PathOf(QStringLiteral("copy_main.db"));
    ASSERT_FALSE(BookImporter().Import(request, problems).isEmpty()) << problems.Lines().join(u'\n').toStdString();

    EXPECT_EQ(BookComparison::Differences(original, request.output), QStringList());
    // The same count of rows in every table, counted apart from the comparison.
    for (const char* table : {"Info", "BookInfo", "Indices", "Questions", "AttrClasses", "KeywordAttrRange", "Keywords",
             "KeywordAttrs", "Sentences", "SentenceAttrs", "IKRelations"}) {
        const QString count = QStringLiteral("select count(*) from %1").arg(QString::fromLatin1(table));
        EXPECT_EQ(QueryRows(request.output, count), QueryRows(original, count)) << table;
    }
    for (const char* sql : {"select name, value from Info where name <> 'DBID' order by name",
             "select name, long_name, type, is_range from AttrClasses order by sort_key",
             "select title, page, enable from Indices order by sort_key", "select title from BookInfo"})
        EXPECT_EQ(QueryRows(request.output, QString::fromLatin1(sql)), QueryRows(original, QString::fromLatin1(sql)))
            << sql;
}

// What a sheet cannot carry (a keyword under two entries, a keyword with
// no sub-question) is named, and the export fails unless --lossy.
TEST_F(ImportFixture, ExportNamesWhatTheSheetCannotCarry)
{
    const QString book = PathOf(QStringLiteral("book_main.db"));
    ASSERT_TRUE(QFile::copy(BundledPath(SampleBooks().front()), book));
    QFile::setPermissions(book, QFile::ReadOwner | QFile::WriteOwner);
    {
        CppSQLite3DB db;
        db.Open(book.toStdString());
        db.ExecuteBatch("insert into IKRelations(iid, kid) values (7, 1);"
                        "insert into Keywords(kid, word, sort_key, enable) values (999, 'lonely', 99990, 1);"
                        "insert into KeywordAttrs(kid, acid, seq, type, value) values (999, 2, 0, 0, 999);");
    }
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const QString sheet = PathOf(QStringLiteral("sheet.csv"));
    EXPECT_EQ(BookTool(outStream, errStream).Run({QStringLiteral("export"), book, QStringLiteral("-o"), sheet}),
        BookTool::kProblems);
    EXPECT_FALSE(QFile::exists(sheet));
    EXPECT_TRUE(err.contains(QStringLiteral("目次と見出し語の対応"))) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("見出し語:"))) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("--lossy"))) << err.toStdString();
    err.clear();
    EXPECT_EQ(BookTool(outStream, errStream)
                  .Run({QStringLiteral("export"), book, QStringLiteral("-o"), sheet, QStringLiteral("--lossy")}),
        BookTool::kOk);
    EXPECT_TRUE(QFile::exists(sheet));
    EXPECT_TRUE(err.contains(QStringLiteral("目次と見出し語の対応"))) << err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Books, RoundTripTest, testing::ValuesIn(SampleBooks()),
    [](const testing::TestParamInfo<SampleBook>& info) { return "Type" + info.param.product.toStdString(); });

} // namespace
