#include "model/DataBase.h"
#include "model/NodeStorage.h"
#include "quiz/AutoSelectSearch.h"
#include "quiz/Model.h"
#include "quiz/View.h"
#include "support/BookFixture.h"
#include "support/ReferenceAutoSelectSearch.h"
#include "support/TestClocks.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>

namespace {

// Questions (qid: keywords of their candidates):
//   11 P: 201            12 Q: 201            13 R: 201 (2 sentences),
//   14 S: 301, 302       15 T: 303                  202 (3), 203 (1)
//   16 U: no sentences
// Every keyword but 401 lies in the range (index entry 2); sentence 1403
// (keyword 401) is never a candidate.
QString SelectionBookSql()
{
    QString sql = BookFixture::SchemaSql() + BookFixture::InfoSql(QStringLiteral("TV-AUTO"));
    sql += QStringLiteral(R"sql(
INSERT INTO BookInfo VALUES(1,'自動選択の本');
INSERT INTO Indices VALUES(1,1,0,0,1,1,'目次');
INSERT INTO Indices VALUES(2,1,1,1,2,1,'Unit 1');
INSERT INTO Indices VALUES(3,1,1,2,3,1,'Unit 2');
INSERT INTO AttrClasses VALUES(1,'No.','No.で選択',0,1,1);
INSERT INTO AttrClasses VALUES(101,'出典','出典',0,2,0);
INSERT INTO Questions VALUES(11,1,'P','P','',0,0);
INSERT INTO Questions VALUES(12,2,'Q','Q','',0,0);
INSERT INTO Questions VALUES(13,3,'R','R','',0,0);
INSERT INTO Questions VALUES(14,4,'S','S','',0,0);
INSERT INTO Questions VALUES(15,5,'T','T','',0,0);
INSERT INTO Questions VALUES(16,6,'U','U','',0,0);
INSERT INTO Keywords VALUES(201,'k201',1,1);
INSERT INTO Keywords VALUES(202,'k202',2,1);
INSERT INTO Keywords VALUES(203,'k203',3,1);
INSERT INTO Keywords VALUES(301,'k301',4,1);
INSERT INTO Keywords VALUES(302,'k302',5,1);
INSERT INTO Keywords VALUES(303,'k303',6,1);
INSERT INTO Keywords VALUES(401,'k401',7,1);
INSERT INTO KeywordAttrs SELECT kid, 1, 0, 0, sort_key FROM Keywords;
INSERT INTO IKRelations SELECT 2, kid FROM Keywords WHERE kid <> 401;
INSERT INTO IKRelations VALUES(3,401);
INSERT INTO Sentences VALUES(1101,201,11,1,'p','p');
INSERT INTO Sentences VALUES(1201,201,12,1,'q','q');
INSERT INTO Sentences VALUES(1301,201,13,1,'r','r');
INSERT INTO Sentences VALUES(1302,201,13,2,'r','r');
INSERT INTO Sentences VALUES(1311,202,13,3,'r','r');
INSERT INTO Sentences VALUES(1312,202,13,4,'r','r');
INSERT INTO Sentences VALUES(1313,202,13,5,'r','r');
INSERT INTO Sentences VALUES(1321,203,13,6,'r','r');
INSERT INTO Sentences VALUES(1401,301,14,1,'s','s');
INSERT INTO Sentences VALUES(1402,302,14,2,'s','s');
INSERT INTO Sentences VALUES(1403,401,14,3,'s','s');
INSERT INTO Sentences VALUES(1501,303,15,1,'t','t');
INSERT INTO SentenceAttrs SELECT sid, 101, 0, 0, 1 FROM Sentences;
)sql");
    return sql;
}

// `questions` formats (qids 11, 12, ...) that all drill the same `keywords`
// keywords, two sentences for each pair; No. = keyword number.
QString SharedBookSql(int questions, int keywords)
{
    QString sql = BookFixture::SchemaSql() + BookFixture::InfoSql(QStringLiteral("TV-SHARED"));
    sql += QStringLiteral(R"sql(
INSERT INTO BookInfo VALUES(1,'共有の本');
INSERT INTO Indices VALUES(1,1,0,0,1,1,'目次');
INSERT INTO AttrClasses VALUES(1,'No.','No.で選択',0,1,1);
INSERT INTO AttrClasses VALUES(101,'出典','出典',0,2,0);
WITH RECURSIVE q(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM q WHERE i < %1-1)
INSERT INTO Questions SELECT 11+i, i, 'Q' || i, 'Q', '', 0, 0 FROM q;
WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM k WHERE i < %2)
INSERT INTO Keywords SELECT 1000+i, 'w' || i, i, 1 FROM k;
INSERT INTO KeywordAttrs SELECT kid, 1, 0, 0, sort_key FROM Keywords;
WITH RECURSIVE n(j) AS (SELECT 0 UNION ALL SELECT j+1 FROM n WHERE j < 1)
INSERT INTO Sentences SELECT (q.qid * 10000 + k.sort_key) * 2 + n.j, k.kid, q.qid, k.sort_key * 2 + n.j, 's', 'a'
  FROM Questions q, Keywords k, n;
INSERT INTO SentenceAttrs SELECT sid, 101, 0, 0, 1 FROM Sentences;
)sql")
               .arg(questions)
               .arg(keywords);
    return sql;
}

class CountingView : public View {
public:
    void UpdateView() override { ++updates; }
    int updates = 0;
};

std::set<int> Sids(const QuestionUnit& unit)
{
    std::set<int> sids;
    for (const Sentence* sentence : unit.Sentences())
        sids.insert(sentence->sid);
    return sids;
}

template <typename F>
void OnFreshThread(F body)
{
    std::thread worker(body);
    worker.join();
}

// A search that finds its clock past the time bound at once.
AutoSelectSearchResult OutOfTime(const AutoSelectProblem& problem)
{
    auto tick = std::make_shared<std::uint32_t>(0);
    return AutoSelectSearch([tick] { return *tick += 6000; }).Run(problem);
}

// The program's search, on a clock that never runs out.
AutoSelectSearchResult Untimed(const AutoSelectProblem& problem)
{
    return AutoSelectSearch(StoppedClock()).Run(problem);
}

class AutoSelectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_EQ(model.Db().OpenUser(dir.filePath(QStringLiteral("tv_user.db"))), 0);
        LoadBook(SelectionBookSql());
        model.SetRange(Ranges(std::vector<int>{2}));
        model.AddView(&view);
    }

    void LoadBook(const QString& sql)
    {
        const QString path = dir.filePath(QStringLiteral("auto_main.db"));
        const QString error = BookFixture::Build(path, sql);
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        ASSERT_TRUE(model.LoadBooks({path}));
    }

    // Selects the questions of `counts` in that order and runs the selection.
    int Run(const std::vector<std::pair<int, int>>& counts, int printCount = 1, bool randomize = true,
        const AutoSelector::ClusterSearch& search = Untimed)
    {
        std::vector<int> qids;
        AutoSelectOptions options;
        for (const auto& [qid, count] : counts) {
            qids.push_back(qid);
            options.counts.emplace_back(model.Storage().QuestionPool().Find(qid), count);
        }
        model.SetQuestions(qids);
        options.printCount = printCount;
        options.randomize = randomize;
        warnings = {false, false};
        return model.AutoSelect(options, warnings, search);
    }

    // Per print, per unit: "qid:sid,sid,...".
    std::vector<std::vector<std::string>> Prints() const
    {
        std::vector<std::vector<std::string>> prints;
        for (const Quiz& quiz : model.Quizzes()) {
            std::vector<std::string> units;
            for (const QuestionUnit& unit : quiz.Units()) {
                std::string text = std::to_string(unit.QuestionId()) + ":";
                for (const Sentence* sentence : unit.Sentences())
                    text += std::to_string(sentence->sid) + ",";
                units.push_back(text);
            }
            prints.push_back(units);
        }
        return prints;
    }

    QTemporaryDir dir;
    Model model;
    CountingView view;
    std::array<bool, 2> warnings{};
};

using Units = std::vector<std::string>;

TEST_F(AutoSelectTest, SeparateClustersMeetEveryCountWithoutWarnings)
{
    EXPECT_EQ(Run({{14, 2}, {15, 1}}, 3), Model::kAutoSelectOk);
    EXPECT_EQ(warnings, (std::array<bool, 2>{false, false}));
    ASSERT_EQ(model.QuizCount(), 3);
    for (const Quiz& quiz : model.Quizzes()) {
        ASSERT_EQ(quiz.Units().size(), 2u);
        EXPECT_EQ(Sids(quiz.Units()[0]), (std::set<int>{1401, 1402}));
        EXPECT_EQ(Sids(quiz.Units()[1]), (std::set<int>{1501}));
    }
    EXPECT_EQ(view.updates, 1);
}

TEST_F(AutoSelectTest, OneSharedKeywordIsUsedTwiceWithDuplicateWarning)
{
    EXPECT_EQ(Run({{11, 1}, {12, 1}}), Model::kAutoSelectWarnings);
    EXPECT_EQ(warnings, (std::array<bool, 2>{false, true}));
    EXPECT_EQ(Prints(), (std::vector<Units>{{"11:1101,", "12:1201,"}}));
}

TEST_F(AutoSelectTest, SpreadThatCannotStayWithinTheLimitFailsAndKeepsThePrints)
{
    ASSERT_EQ(Run({{11, 1}, {12, 0}, {13, 2}}, 2), Model::kAutoSelectOk);
    const auto before = Prints();
    // P and Q can only take 201; R could take 202 or 203, yet three
    // keywords for three questions allow no duplicate.
    EXPECT_EQ(Run({{11, 1}, {12, 1}, {13, 1}}), Model::kAutoSelectFailed);
    EXPECT_EQ(Prints(), before);
    EXPECT_EQ(view.updates, 1);
}

TEST_F(AutoSelectTest, CountsBeyondTheCandidatesGiveTooFewWarning)
{
    EXPECT_EQ(Run({{14, 5}}), Model::kAutoSelectWarnings);
    EXPECT_EQ(warnings, (std::array<bool, 2>{true, false}));
    EXPECT_EQ(model.Quizzes().at(0).SentenceCount(), 2);

    // A question without candidates gets nothing; the others still do.
    EXPECT_EQ(Run({{16, 1}, {15, 1}}), Model::kAutoSelectWarnings);
    EXPECT_EQ(warnings, (std::array<bool, 2>{true, false}));
    EXPECT_EQ(Prints(), (std::vector<Units>{{"16:", "15:1501,"}}));
}

TEST_F(AutoSelectTest, ZeroPrintsLeaveOneFreshPrint)
{
    ASSERT_EQ(Run({{14, 2}}, 3), Model::kAutoSelectOk);
    EXPECT_EQ(Run({{14, 2}, {15, 1}}, 0), Model::kAutoSelectOk);
    EXPECT_EQ(warnings, (std::array<bool, 2>{false, false}));
    EXPECT_EQ(Prints(), (std::vector<Units>{{"14:", "15:"}}));
    EXPECT_EQ(view.updates, 2);
}

TEST_F(AutoSelectTest, MissingParametersFailBeforeAnyChange)
{
    ASSERT_EQ(Run({{15, 1}, {14, 1}}, 2), Model::kAutoSelectOk);
    const auto before = Prints();
    AutoSelectOptions onlyOneCount;
    onlyOneCount.counts.emplace_back(model.Storage().QuestionPool().Find(15), 1);
    EXPECT_EQ(model.AutoSelect(onlyOneCount, warnings), Model::kAutoSelectFailed);
    EXPECT_EQ(Prints(), before);

    EXPECT_EQ(Run({}), Model::kAutoSelectNoQuestion);
    EXPECT_EQ(model.QuizCount(), 2);
    EXPECT_EQ(view.updates, 1);
}

TEST_F(AutoSelectTest, NoCandidatesAtAllFails)
{
    model.SetRange(Ranges());
    EXPECT_EQ(Run({{14, 2}, {15, 1}}), Model::kAutoSelectFailed);
    model.SetRange(Ranges(std::vector<int>{3})); // only keyword 401
    EXPECT_EQ(Run({{15, 1}}), Model::kAutoSelectFailed);
    EXPECT_EQ(view.updates, 0);
}

TEST_F(AutoSelectTest, SearchOutOfTimeGives304AndKeepsThePrints)
{
    ASSERT_EQ(Run({{14, 2}, {15, 1}}, 2), Model::kAutoSelectOk);
    const auto before = Prints();
    EXPECT_EQ(Run({{14, 2}, {15, 1}}, 3, true, OutOfTime), Model::kAutoSelectTimedOut);
    EXPECT_EQ(Prints(), before);
    EXPECT_EQ(view.updates, 1);
}

TEST_F(AutoSelectTest, FirstSelectionOfARunIsTheSameEveryTime)
{
    // From the generator's first state: the search order of R's three items
    // stays 201, 202, 203 (draws 41 and 18467); the keyword order becomes
    // 202, 203, 201 (draws 6334, 26500); the picks take sentence 19169 % 3
    // of 202, the only one of 203 and 11478 % 2 of 201.
    int result = -1;
    OnFreshThread([&] { result = Run({{13, 3}}); });
    EXPECT_EQ(result, Model::kAutoSelectOk);
    EXPECT_EQ(Prints(), (std::vector<Units>{{"13:1313,1321,1301,"}}));

    OnFreshThread([&] { result = Run({{13, 3}}, 1, false); });
    EXPECT_EQ(result, Model::kAutoSelectOk);
    EXPECT_EQ(Prints(), (std::vector<Units>{{"13:1301,1313,1321,"}}));

    // The generator goes on: the next prints differ from the first.
    OnFreshThread([&] { result = Run({{13, 3}}, 4); });
    const auto prints = Prints();
    EXPECT_NE(std::set<std::vector<std::string>>(prints.begin(), prints.end()).size(), 1u);
}

TEST_F(AutoSelectTest, SameSelectionAsThePlainDepthFirstSearch)
{
    // Four formats over the same 24 keywords, 6 each: no keyword may serve
    // two formats, and the plain search gets there without timing out.
    LoadBook(SharedBookSql(4, 24));
    model.SetRange(Ranges(1, {{1, 24}}));
    const std::vector<std::pair<int, int>> counts{{11, 6}, {12, 6}, {13, 6}, {14, 6}};
    bool timedOut = false;
    int plainResult = -1;
    int fastResult = -1;
    OnFreshThread([&] {
        plainResult = Run(counts, 3, true, [&](const AutoSelectProblem& problem) {
            auto result = ReferenceAutoSelectSearch(StoppedClock()).Run(problem);
            timedOut = timedOut || result.timedOut;
            return result;
        });
    });
    ASSERT_FALSE(timedOut);
    const auto plain = Prints();
    OnFreshThread([&] { fastResult = Run(counts, 3); });
    EXPECT_EQ(fastResult, plainResult);
    EXPECT_EQ(Prints(), plain);
    std::set<int> kids;
    for (const QuestionUnit& unit : model.Quizzes().at(0).Units()) {
        for (const Sentence* sentence : unit.Sentences())
            kids.insert(sentence->kid);
    }
    EXPECT_EQ(kids.size(), 24u);
}

} // namespace
