#include "quiz/Quiz.h"
#include "QuizIds.h"
#include "StorageFixture.h"

#include "quiz/QuizVisitor.h"

#include <thread>

namespace {

// Records a walk as "q1:11", "s1:51", ...
class WalkRecorder : public QuizVisitor {
public:
    void VisitQuestion(const Question* question, int number) override
    {
        steps.push_back(QStringLiteral("q%1:%2").arg(number).arg(question ? question->qid : 0));
    }
    void VisitSentence(const Sentence* sentence, int number) override
    {
        steps.push_back(QStringLiteral("s%1:%2").arg(number).arg(sentence->sid));
    }
    QStringList steps;
};

class QuizTest : public StorageFixture {
protected:
    void SetUp() override
    {
        LoadBook();
        LoadSentencesOf({11, 12});
    }

    const Sentence* S(int sid) { return storage.SentencePool().Find(sid); }

    Quiz quiz{&storage};
};

TEST_F(QuizTest, AddQuestionKeepsOneUnitPerQuestionInOrderOfAdding)
{
    EXPECT_TRUE(quiz.AddQuestion(12));
    EXPECT_TRUE(quiz.AddQuestion(11));
    EXPECT_TRUE(quiz.AddQuestion(12));
    EXPECT_FALSE(quiz.AddQuestion(99));
    EXPECT_EQ(QuestionIds(quiz), (std::vector<int>{12, 11}));
    EXPECT_TRUE(quiz.HasQuestion(11));
    EXPECT_FALSE(quiz.HasQuestion(99));
}

TEST_F(QuizTest, PrintWithoutBookTakesNoQuestion)
{
    Quiz detached;
    EXPECT_FALSE(detached.AddQuestion(11));
    EXPECT_FALSE(detached.AddSentence(S(51)));
    EXPECT_TRUE(detached.Units().empty());
}

TEST_F(QuizTest, AddSentenceJoinsTheUnitOfItsQuestionOnce)
{
    quiz.AddQuestion(12);
    EXPECT_TRUE(quiz.AddSentence(S(52)));
    EXPECT_TRUE(quiz.AddSentence(S(52)));
    EXPECT_TRUE(quiz.AddSentence(S(61)));
    EXPECT_TRUE(quiz.AddSentence(S(51)));
    EXPECT_FALSE(quiz.AddSentence(nullptr));
    // The unit of 11 was appended after 12 by the first sentence.
    EXPECT_EQ(QuestionIds(quiz), (std::vector<int>{12, 11}));
    EXPECT_EQ(SentenceIds(quiz.UnitFor(11)), (std::vector<int>{52, 51}));
    EXPECT_EQ(SentenceIds(quiz.UnitFor(12)), std::vector<int>{61});
    EXPECT_EQ(quiz.SentenceCount(), 3);
}

TEST_F(QuizTest, UnitKeepsOnlySentencesOfItsOwnQuestion)
{
    QuestionUnit unit(storage.QuestionPool().Find(11));
    EXPECT_FALSE(unit.AddSentence(S(61)));
    EXPECT_TRUE(unit.AddSentence(S(51)));
    EXPECT_TRUE(unit.HasSentence(51));
    EXPECT_FALSE(QuestionUnit().AddSentence(S(51)));
    EXPECT_TRUE(unit.RemoveSentence(51));
    EXPECT_FALSE(unit.RemoveSentence(51));
    EXPECT_TRUE(unit.Sentences().empty());
    EXPECT_FALSE(unit.HasSentence(51));
}

TEST_F(QuizTest, UnitForGivesACopyOrAnEmptyUnit)
{
    quiz.AddSentence(S(51));
    QuestionUnit copy = quiz.UnitFor(11);
    copy.AddSentence(S(52));
    EXPECT_EQ(SentenceIds(quiz.UnitFor(11)), std::vector<int>{51});

    const QuestionUnit none = quiz.UnitFor(12);
    EXPECT_EQ(none.GetQuestion(), nullptr);
    EXPECT_EQ(none.QuestionId(), 0);
    EXPECT_TRUE(none.Sentences().empty());
}

TEST_F(QuizTest, ReplaceUnitChangesOnlyTheUnitOfTheSameQuestion)
{
    quiz.AddSentence(S(51));
    quiz.AddQuestion(13);
    QuestionUnit edited = quiz.UnitFor(11);
    edited.ClearSentences();
    edited.AddSentence(S(53));
    edited.AddSentence(S(52));
    quiz.ReplaceUnit(edited);
    EXPECT_EQ(SentenceIds(quiz.UnitFor(11)), (std::vector<int>{53, 52}));
    EXPECT_TRUE(quiz.UnitFor(11).HasSentence(53));
    EXPECT_FALSE(quiz.UnitFor(11).HasSentence(51));

    QuestionUnit other(storage.QuestionPool().Find(12));
    other.AddSentence(S(61));
    quiz.ReplaceUnit(other);
    quiz.ReplaceUnit(QuestionUnit());
    EXPECT_EQ(QuestionIds(quiz), (std::vector<int>{11, 13}));
    EXPECT_FALSE(quiz.HasQuestion(12));
}

TEST_F(QuizTest, SetQuestionsReordersKeepsSentencesAndDropsTheRest)
{
    quiz.AddSentence(S(51));
    quiz.AddSentence(S(52));
    quiz.AddSentence(S(61));
    quiz.SetQuestions({13, 11});
    EXPECT_EQ(QuestionIds(quiz), (std::vector<int>{13, 11}));
    EXPECT_TRUE(quiz.UnitFor(13).Sentences().empty());
    EXPECT_EQ(SentenceIds(quiz.UnitFor(11)), (std::vector<int>{51, 52}));
    EXPECT_FALSE(quiz.HasQuestion(12));

    // Unknown and repeated ids are skipped; a dropped unit's sentences are gone.
    quiz.SetQuestions({99, 12, 11, 12});
    EXPECT_EQ(QuestionIds(quiz), (std::vector<int>{12, 11}));
    EXPECT_TRUE(quiz.UnitFor(12).Sentences().empty());
    EXPECT_EQ(SentenceIds(quiz.UnitFor(11)), (std::vector<int>{51, 52}));

    quiz.SetQuestions({});
    EXPECT_TRUE(quiz.Units().empty());
    EXPECT_TRUE(quiz.AddQuestion(11));
}

TEST_F(QuizTest, AcceptNumbersQuestionsPerPrintAndSentencesPerUnit)
{
    quiz.AddSentence(S(51));
    quiz.AddSentence(S(52));
    quiz.AddQuestion(13);
    quiz.AddSentence(S(61));
    WalkRecorder walk;
    quiz.Accept(walk);
    EXPECT_EQ(walk.steps, (QStringList{"q1:11", "s1:51", "s2:52", "q2:13", "q3:12", "s1:61"}));

    WalkRecorder none;
    Quiz().Accept(none);
    EXPECT_TRUE(none.steps.isEmpty());
}

TEST_F(QuizTest, BookOrderSortsByKeywordThenSortKeyInsideEachUnit)
{
    // 53 (kid 203), 51 (kid 201, sort 30), 52 (kid 202).
    quiz.AddSentence(S(53));
    quiz.AddSentence(S(52));
    quiz.AddSentence(S(51));
    quiz.AddSentence(S(62));
    quiz.AddSentence(S(61));
    quiz.SortSentences(false);
    EXPECT_EQ(SentenceIds(quiz.UnitFor(11)), (std::vector<int>{51, 52, 53}));
    EXPECT_EQ(SentenceIds(quiz.UnitFor(12)), (std::vector<int>{61, 62}));
    EXPECT_EQ(QuestionIds(quiz), (std::vector<int>{11, 12}));
}

TEST_F(QuizTest, BookOrderUsesSortKeyWithinOneKeyword)
{
    const QString sql = BookFixture::SmallBookSql() + QStringLiteral(R"sql(
INSERT INTO Sentences VALUES(54,201,11,5,'x','y');
INSERT INTO SentenceAttrs VALUES(54,101,0,0,1);
)sql");
    ASSERT_TRUE(storage.LoadBooks({BuildBook(sql, QStringLiteral("extra"))}));
    std::vector<Sentence*> sentences;
    storage.SentencesOf(11, sentences);
    Quiz print(&storage);
    for (int sid : {52, 51, 54})
        print.AddSentence(S(sid));
    print.SortSentences(false);
    EXPECT_EQ(SentenceIds(print.UnitFor(11)), (std::vector<int>{54, 51, 52}));
}

TEST_F(QuizTest, RandomOrderShufflesEachUnitWithTheProgramGenerator)
{
    for (int sid : {51, 52, 53, 61, 62})
        quiz.AddSentence(S(sid));
    // On a fresh thread the generator starts from its first draws: 41 and
    // 18467 pick positions 1 and 2 for the three sentences of 11 (no swap),
    // then 6334 picks position 0 for the second sentence of 12.
    std::thread([&] { quiz.SortSentences(true); }).join();
    EXPECT_EQ(SentenceIds(quiz.UnitFor(11)), (std::vector<int>{51, 52, 53}));
    EXPECT_EQ(SentenceIds(quiz.UnitFor(12)), (std::vector<int>{62, 61}));
    EXPECT_EQ(QuestionIds(quiz), (std::vector<int>{11, 12}));
    EXPECT_TRUE(quiz.UnitFor(12).HasSentence(61));
}

} // namespace
