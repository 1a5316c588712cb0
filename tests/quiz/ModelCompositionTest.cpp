#include "ModelFixture.h"

#include "model/Keyword.h"
#include "model/Sentence.h"
#include "quiz/View.h"

#include <QFile>

namespace {

class CountingView : public View {
public:
    void UpdateView() override { ++updates; }
    int updates = 0;
};

class ModelCompositionTest : public ModelFixture {
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        LoadTwoBooks();
    }

    std::vector<int> Candidates(int qid)
    {
        std::vector<const Sentence*> out{nullptr};
        const int count = model.CandidateSentences(out, qid);
        EXPECT_EQ(count, static_cast<int>(out.size()));
        return Ids(out, &Sentence::sid);
    }

    void UseBonus(bool on)
    {
        PrintOptions options = model.ReadPrintOptions();
        options.useBonus = on;
        model.WritePrintOptions(options);
    }
};

TEST_F(ModelCompositionTest, LoadedBookStartsWithOnePrintAndNoRange)
{
    EXPECT_EQ(model.QuizCount(), 1);
    EXPECT_TRUE(model.GetQuiz(0).Units().empty());
    EXPECT_TRUE(model.CurrentRange().IsNull());
    EXPECT_EQ(Storage().CurrentBid(), 1);
}

TEST_F(ModelCompositionTest, NewPrintsHoldTheSelectedQuestionsThatTheBookHas)
{
    model.SetQuestions({12, 99, 11});
    EXPECT_EQ(model.SelectedQids(), (std::vector<int>{12, 99, 11}));
    EXPECT_EQ(QuestionIds(model.GetQuiz(0)), (std::vector<int>{12, 11}));
    model.AddQuiz();
    ASSERT_EQ(model.QuizCount(), 2);
    EXPECT_EQ(QuestionIds(model.GetQuiz(1)), (std::vector<int>{12, 11}));
}

TEST_F(ModelCompositionTest, SetQuestionsReordersEveryPrintKeepingItsSentences)
{
    model.SetQuestions({11, 12});
    model.AddQuiz();
    Quiz first = model.GetQuiz(0);
    first.AddSentence(S(51));
    first.AddSentence(S(52));
    first.AddSentence(S(61));
    model.SetQuiz(0, first);
    Quiz second = model.GetQuiz(1);
    second.AddSentence(S(53));
    model.SetQuiz(1, second);

    model.SetQuestions({13, 11});
    EXPECT_EQ(QuestionIds(model.GetQuiz(0)), (std::vector<int>{13, 11}));
    EXPECT_EQ(SentenceIds(model.GetQuiz(0).UnitFor(11)), (std::vector<int>{51, 52}));
    EXPECT_FALSE(model.GetQuiz(0).HasQuestion(12));
    EXPECT_EQ(QuestionIds(model.GetQuiz(1)), (std::vector<int>{13, 11}));
    EXPECT_EQ(SentenceIds(model.GetQuiz(1).UnitFor(11)), std::vector<int>{53});
}

TEST_F(ModelCompositionTest, PrintsAreValuesUntilWrittenBack)
{
    model.SetQuestions({11});
    Quiz copy = model.GetQuiz(0);
    copy.AddSentence(S(51));
    EXPECT_TRUE(model.GetQuiz(0).UnitFor(11).IsEmpty());
    model.SetQuiz(0, copy);
    EXPECT_EQ(SentenceIds(model.GetQuiz(0).UnitFor(11)), std::vector<int>{51});
    // Indexes outside the list neither crash nor change anything.
    model.SetQuiz(5, Quiz());
    model.SetQuiz(-1, Quiz());
    EXPECT_EQ(model.QuizCount(), 1);
    EXPECT_TRUE(model.GetQuiz(7).Units().empty());
}

TEST_F(ModelCompositionTest, RemovingPrintsKeepsOneAndPointsAtTheNextToShow)
{
    model.SetQuestions({11});
    model.AddQuiz();
    model.AddQuiz();
    Quiz marked = model.GetQuiz(1);
    marked.AddSentence(S(52));
    model.SetQuiz(1, marked);

    EXPECT_EQ(model.RemoveQuiz(0), 0);
    EXPECT_EQ(model.QuizCount(), 2);
    EXPECT_TRUE(model.GetQuiz(0).UnitFor(11).HasSentence(52));
    EXPECT_EQ(model.RemoveQuiz(1), 0); // the last one: the one before it shows
    EXPECT_EQ(model.QuizCount(), 1);
    EXPECT_EQ(model.RemoveQuiz(0), 0); // the only one: a fresh print replaces it
    ASSERT_EQ(model.QuizCount(), 1);
    EXPECT_EQ(QuestionIds(model.GetQuiz(0)), std::vector<int>{11});
    EXPECT_TRUE(model.GetQuiz(0).UnitFor(11).IsEmpty());
}

TEST_F(ModelCompositionTest, ReplacingAllPrintsWithNoneLeavesOneFreshPrint)
{
    model.SetQuestions({12});
    model.ReplaceQuizzes({});
    ASSERT_EQ(model.QuizCount(), 1);
    EXPECT_EQ(QuestionIds(model.GetQuiz(0)), std::vector<int>{12});
}

// There are never more than kMaxPrints prints: adding one more is refused
// and changes nothing, and a longer list keeps its first ones.
TEST_F(ModelCompositionTest, PrintsStopAtTheMost)
{
    model.SetQuestions({11});
    while (model.QuizCount() < Model::kMaxPrints)
        ASSERT_TRUE(model.AddQuiz());
    EXPECT_FALSE(model.AddQuiz());
    EXPECT_EQ(model.QuizCount(), Model::kMaxPrints);
    model.RemoveQuiz(0);
    EXPECT_TRUE(model.AddQuiz());

    std::vector<Quiz> many(Model::kMaxPrints + 5, model.NewQuiz());
    Quiz last = model.NewQuiz();
    last.AddQuestion(11);
    many[Model::kMaxPrints - 1] = last;
    model.ReplaceQuizzes(many);
    ASSERT_EQ(model.QuizCount(), Model::kMaxPrints);
    EXPECT_EQ(QuestionIds(model.GetQuiz(Model::kMaxPrints - 1)), std::vector<int>{11});
}

TEST_F(ModelCompositionTest, SortSentencesReordersEveryPrint)
{
    model.SetQuestions({11});
    model.AddQuiz();
    for (int index : {0, 1}) {
        Quiz quiz = model.GetQuiz(index);
        for (int sid : {53, 51, 52})
            quiz.AddSentence(S(sid));
        model.SetQuiz(index, quiz);
    }
    model.SortSentences(false);
    for (int index : {0, 1})
        EXPECT_EQ(SentenceIds(model.GetQuiz(index).UnitFor(11)), (std::vector<int>{51, 52, 53}));
}

TEST_F(ModelCompositionTest, CandidatesAreInRangeAndFromTheBookUnlessBonusIsOn)
{
    EXPECT_TRUE(Candidates(11).empty());
    EXPECT_FALSE(model.HasCandidates(11));

    model.SetRange(Ranges(std::vector<int>{3, 4, 5}));
    std::vector<const Keyword*> keywords;
    EXPECT_EQ(model.InRangeKeywords(keywords), 3);
    EXPECT_EQ(Ids(keywords, &Keyword::kid), (std::vector<int>{201, 202, 203}));
    // 53 has source 20 (outside the book); 62's keyword is not in the book.
    EXPECT_EQ(Candidates(11), (std::vector<int>{52, 51}));
    EXPECT_EQ(Candidates(12), std::vector<int>{61});
    EXPECT_TRUE(Candidates(13).empty());
    EXPECT_TRUE(model.HasCandidates(11));
    EXPECT_FALSE(model.HasCandidates(13));

    UseBonus(true);
    EXPECT_EQ(Candidates(11), (std::vector<int>{52, 53, 51}));
    EXPECT_EQ(Candidates(12), std::vector<int>{61});

    model.SetRange(Ranges(1, {{25, 40}}));
    EXPECT_EQ(Candidates(11), std::vector<int>{53});
    UseBonus(false);
    EXPECT_TRUE(Candidates(11).empty());
    EXPECT_FALSE(model.HasCandidates(11));
}

TEST_F(ModelCompositionTest, SentenceWithoutSourceIsOutsideTheBookATextSourceCountsAsZero)
{
    const QString sql = BookFixture::SmallBookSql() + QStringLiteral(R"sql(
INSERT INTO Sentences VALUES(55,201,11,60,'no source','none');
INSERT INTO SentenceAttrs VALUES(55,2,0,1,'名詞');
INSERT INTO Sentences VALUES(56,201,11,70,'text source','text');
INSERT INTO SentenceAttrs VALUES(56,101,0,1,'1');
)sql");
    ASSERT_TRUE(model.LoadBooks({BuildBook(sql, QStringLiteral("nosource"))}));
    model.SetRange(Ranges(std::vector<int>{3}));
    EXPECT_EQ(Candidates(11), (std::vector<int>{51, 56}));
    UseBonus(true);
    EXPECT_EQ(Candidates(11), (std::vector<int>{51, 55, 56}));
}

TEST_F(ModelCompositionTest, RangeLineNamesTheBookAndTheRange)
{
    const QString book = QStringLiteral("テスト英単語 1");
    EXPECT_EQ(model.RangeLine(), QStringLiteral("（") + book + QStringLiteral("／）"));
    model.SetRange(Ranges(std::vector<int>{3, 4}));
    EXPECT_EQ(model.RangeLine(), QStringLiteral("（") + book + QStringLiteral("／1-A～1-B）"));
}

TEST_F(ModelCompositionTest, RangeBackupKeepsTheRangeFromBeforeTheFirstChange)
{
    const Ranges original(std::vector<int>{3});
    model.SetRange(original);
    model.BackupRange();
    model.SetRange(Ranges(1, {{1, 5}}));
    model.BackupRange(); // a second change keeps the first copy
    model.SetRange(Ranges());
    EXPECT_TRUE(model.HasRangeBackup());
    EXPECT_TRUE(Candidates(11).empty());
    model.RestoreRange();
    EXPECT_EQ(model.CurrentRange().Get(), original.Get());
    EXPECT_EQ(Candidates(11), std::vector<int>{51});
    EXPECT_FALSE(model.HasRangeBackup());
    model.SetRange(Ranges());
    model.RestoreRange(); // nothing pending: no change
    EXPECT_TRUE(model.CurrentRange().IsNull());

    model.BackupRange();
    model.SetRange(original);
    model.DropRangeBackup();
    model.RestoreRange();
    EXPECT_EQ(model.CurrentRange().Get(), original.Get());
}

TEST_F(ModelCompositionTest, SelectingAnotherBookStartsOverAndTellsTheViews)
{
    CountingView view;
    model.AddView(&view);
    model.AddView(&view);
    model.SetQuestions({11, 13});
    model.AddQuiz();
    model.SetRange(Ranges(std::vector<int>{3}));
    model.BackupRange();

    EXPECT_EQ(model.SelectBook(1), 0); // the current book: nothing happens
    EXPECT_EQ(view.updates, 0);
    EXPECT_EQ(model.QuizCount(), 2);

    EXPECT_EQ(model.SelectBook(2), 0);
    EXPECT_EQ(view.updates, 1);
    EXPECT_EQ(Storage().CurrentBid(), 2);
    EXPECT_TRUE(model.CurrentRange().IsNull());
    EXPECT_FALSE(model.HasRangeBackup());
    EXPECT_EQ(model.SelectedQids(), (std::vector<int>{11, 13}));
    ASSERT_EQ(model.QuizCount(), 1);
    EXPECT_EQ(QuestionIds(model.GetQuiz(0)), (std::vector<int>{11, 13}));
    EXPECT_EQ(model.GetQuiz(0).Storage(), &Storage());

    model.RemoveView(&view);
    EXPECT_EQ(model.SelectBook(1), 0);
    EXPECT_EQ(view.updates, 1);
}

TEST_F(ModelCompositionTest, FailedBookSwitchKeepsPrintsAndRange)
{
    CountingView view;
    model.AddView(&view);
    model.SetQuestions({11});
    Quiz quiz = model.GetQuiz(0);
    quiz.AddSentence(S(51));
    model.SetQuiz(0, quiz);
    const Ranges range(std::vector<int>{3});
    model.SetRange(range);

    EXPECT_EQ(model.SelectBook(77), Model::kSelectBookFailed);
    // The second book's file is broken after the books were found.
    QFile file(bookB);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("not a database");
    file.close();
    EXPECT_EQ(model.SelectBook(2), Model::kSelectBookFailed);

    EXPECT_EQ(view.updates, 0);
    EXPECT_EQ(Storage().CurrentBid(), 1);
    EXPECT_EQ(model.CurrentRange().Get(), range.Get());
    ASSERT_EQ(model.QuizCount(), 1);
    const QuestionUnit unit = model.GetQuiz(0).UnitFor(11);
    ASSERT_EQ(unit.Sentences().size(), 1u);
    // The kept nodes are still those of the loaded book.
    EXPECT_EQ(unit.Sentences()[0], Storage().SentencePool().Find(51));
    EXPECT_EQ(unit.Sentences()[0]->sentence, QStringLiteral("りんごを食べる。"));
    EXPECT_EQ(model.RangeLine(), QStringLiteral("（テスト英単語 1／1-A）"));
}

TEST_F(ModelCompositionTest, AViewMayUnregisterWhileItIsTold)
{
    struct LeavingView : View {
        Model* model = nullptr;
        int updates = 0;
        void UpdateView() override
        {
            ++updates;
            model->RemoveView(this);
        }
    } leaving;
    CountingView staying;
    leaving.model = &model;
    model.AddView(&leaving);
    model.AddView(&staying);
    model.NotifyViews();
    model.NotifyViews();
    EXPECT_EQ(leaving.updates, 1);
    EXPECT_EQ(staying.updates, 2);
}

} // namespace
