#include "quiz/ModelSerializer.h"
#include "ModelFixture.h"

#include "model/CppSQLite3DB.h"

namespace {

class ModelSerializerTest : public ModelFixture {
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        LoadTwoBooks();
    }

    QString Stored(const QString& name) { return model.Db().UserInfo(name); }
    void Store(const char* name, const QString& value)
    {
        ASSERT_EQ(model.Db().SetUserInfo(QString::fromLatin1(name), value), 0);
    }
    void StoreSelection(
        const QString& dbid, const QString& bid, const QString& range, const QString& qid, const QString& quiz)
    {
        Store("dbid", dbid);
        Store("bid", bid);
        Store("range", range);
        Store("qid", qid);
        Store("quiz", quiz);
    }

    // Runs SQL on the user database through a connection of its own.
    void OnUserDatabase(const char* sql)
    {
        CppSQLite3DB db;
        db.Open(dir.filePath(QStringLiteral("tv_user.db")).toStdString());
        db.ExecuteBatch(sql);
    }

    // Book 2 with formats 11 and 12, a range and two prints.
    void Compose()
    {
        ASSERT_EQ(model.SelectBook(2), 0);
        model.SetQuestions({12, 11});
        model.AddQuiz();
        Quiz first = model.GetQuiz(0);
        first.AddSentence(S(52));
        first.AddSentence(S(51));
        model.SetQuiz(0, first);
        Quiz second = model.GetQuiz(1);
        second.AddSentence(S(61));
        model.SetQuiz(1, second);
        model.SetRange(Ranges(std::vector<int>{4, 3}));
    }

    void Save() { EXPECT_TRUE(ModelSerializer(model, model.Db()).Save()); }
    void Load() { ModelSerializer(model, model.Db()).Load(); }
};

TEST_F(ModelSerializerTest, SaveWritesTheFiveValues)
{
    Compose();
    Save();
    EXPECT_EQ(Stored(QStringLiteral("dbid")), QStringLiteral("TV-TEST-2"));
    EXPECT_EQ(Stored(QStringLiteral("bid")), QStringLiteral("2"));
    EXPECT_EQ(Stored(QStringLiteral("range")), QStringLiteral("1:3,4"));
    EXPECT_EQ(Stored(QStringLiteral("qid")), QStringLiteral("12,11"));
    EXPECT_EQ(Stored(QStringLiteral("quiz")), QStringLiteral("12:|11:52,51/12:61|11:"));

    model.SetRange(Ranges(1, {{10, 20}, {30, 30}}));
    model.SetQuestions({});
    Save();
    EXPECT_EQ(Stored(QStringLiteral("range")), QStringLiteral("2:1/10,20|30,30"));
    EXPECT_EQ(Stored(QStringLiteral("qid")), QString());
    EXPECT_EQ(Stored(QStringLiteral("quiz")), QStringLiteral("/"));
}

TEST_F(ModelSerializerTest, SavedSelectionComesBackInTheNextRun)
{
    Compose();
    Save();

    Model next;
    ASSERT_EQ(next.Db().OpenUser(dir.filePath(QStringLiteral("tv_user.db"))), 0);
    ASSERT_TRUE(next.LoadBooks({bookA, bookB}));
    ModelSerializer(next, next.Db()).Load();

    EXPECT_EQ(next.Storage().CurrentBid(), 2);
    EXPECT_EQ(next.SelectedQids(), (std::vector<int>{12, 11}));
    EXPECT_EQ(next.CurrentRange().OrderedIndexIds(), (std::vector<int>{3, 4}));
    EXPECT_EQ(next.RangeLine(), QStringLiteral("（第二の本／1-A～1-B）"));
    ASSERT_EQ(next.QuizCount(), 2);
    EXPECT_EQ(QuestionIds(next.GetQuiz(0)), (std::vector<int>{12, 11}));
    EXPECT_EQ(SentenceIds(next.GetQuiz(0).UnitFor(11)), (std::vector<int>{52, 51}));
    EXPECT_EQ(SentenceIds(next.GetQuiz(1).UnitFor(12)), std::vector<int>{61});
    EXPECT_TRUE(next.GetQuiz(1).UnitFor(11).IsEmpty());
    EXPECT_EQ(next.GetQuiz(0).UnitFor(11).Sentences()[0]->answer, QStringLiteral("read a book"));
}

TEST_F(ModelSerializerTest, SentencesOfAQuestionTheBookLacksJoinTheirOwnQuestions)
{
    StoreSelection(QStringLiteral("TV-TEST-1"), QStringLiteral("1"), QString(), QStringLiteral("11,12"),
        QStringLiteral("99:61,51|11:52"));
    Load();
    ASSERT_EQ(model.QuizCount(), 1);
    const Quiz quiz = model.GetQuiz(0);
    EXPECT_EQ(QuestionIds(quiz), (std::vector<int>{12, 11}));
    EXPECT_EQ(SentenceIds(quiz.UnitFor(12)), std::vector<int>{61});
    EXPECT_EQ(SentenceIds(quiz.UnitFor(11)), (std::vector<int>{51, 52}));
}

TEST_F(ModelSerializerTest, FirstRunRestoresNothing)
{
    Load();
    EXPECT_EQ(Storage().CurrentBid(), 1);
    EXPECT_EQ(model.QuizCount(), 1);
    EXPECT_TRUE(model.CurrentRange().IsNull());
    EXPECT_TRUE(model.SelectedQids().empty());
}

TEST_F(ModelSerializerTest, NoBookStoredRestoresNothing)
{
    for (const char* bid : {"", "0", "x"}) {
        StoreSelection(QStringLiteral("TV-TEST-2"), QString::fromLatin1(bid), QStringLiteral("1:3"),
            QStringLiteral("11"), QStringLiteral("11:51"));
        Load();
        EXPECT_EQ(Storage().CurrentBid(), 1) << bid;
        EXPECT_TRUE(model.SelectedQids().empty()) << bid;
    }
    StoreSelection(
        QString(), QStringLiteral("2"), QStringLiteral("1:3"), QStringLiteral("11"), QStringLiteral("11:51"));
    Load();
    EXPECT_EQ(Storage().CurrentBid(), 1);
    // A book the data folder no longer has.
    StoreSelection(QStringLiteral("TV-TEST-2"), QStringLiteral("5"), QStringLiteral("1:3"), QStringLiteral("11"),
        QStringLiteral("11:51"));
    Load();
    EXPECT_EQ(Storage().CurrentBid(), 1);
    EXPECT_TRUE(model.CurrentRange().IsNull());
}

TEST_F(ModelSerializerTest, AnotherBookDatabaseRestoresOnlyTheBook)
{
    StoreSelection(QStringLiteral("TV-OTHER"), QStringLiteral("2"), QStringLiteral("1:3"), QStringLiteral("11"),
        QStringLiteral("11:51"));
    Load();
    EXPECT_EQ(Storage().CurrentBid(), 2);
    EXPECT_TRUE(model.CurrentRange().IsNull());
    EXPECT_TRUE(model.SelectedQids().empty());
    ASSERT_EQ(model.QuizCount(), 1);
    EXPECT_TRUE(model.GetQuiz(0).Units().empty());
}

TEST_F(ModelSerializerTest, EmptyStoredPrintsAddADefaultPrint)
{
    StoreSelection(QStringLiteral("TV-TEST-1"), QStringLiteral("1"), QString(), QStringLiteral("11,99"), QString());
    Load();
    // Unknown formats stay selected but make no units.
    EXPECT_EQ(model.SelectedQids(), (std::vector<int>{11, 99}));
    ASSERT_EQ(model.QuizCount(), 2);
    EXPECT_EQ(QuestionIds(model.GetQuiz(0)), std::vector<int>{11});
    EXPECT_EQ(QuestionIds(model.GetQuiz(1)), std::vector<int>{11});
    EXPECT_TRUE(model.CurrentRange().IsNull());
}

TEST_F(ModelSerializerTest, UnreadablePrintsLeaveThePrintsAsTheyWere)
{
    StoreSelection(QStringLiteral("TV-TEST-1"), QStringLiteral("1"), QStringLiteral("1:"), QStringLiteral("13"),
        QStringLiteral("x/98:|97:999"));
    Load();
    EXPECT_TRUE(model.CurrentRange().IsNull());
    ASSERT_EQ(model.QuizCount(), 1);
    EXPECT_EQ(QuestionIds(model.GetQuiz(0)), std::vector<int>{13});
}

// Two files hold a book 1: the next start comes back to the one of the
// stored database, not to the first with that bid.
TEST_F(ModelSerializerTest, BookIsFoundByItsDatabaseWhereFilesShareABid)
{
    const QString c = BuildBook(
        BookFixture::SmallBookSql(QStringLiteral("TV-TEST-3"), 1, QStringLiteral("三冊目")), QStringLiteral("c"));
    ASSERT_TRUE(model.LoadBooks({bookA, bookB, c}));
    ASSERT_EQ(model.SelectBook(*Storage().Books()[2]), 0);
    model.SetQuestions({11});
    Save();
    EXPECT_EQ(Stored(QStringLiteral("dbid")), QStringLiteral("TV-TEST-3"));

    Model next;
    ASSERT_EQ(next.Db().OpenUser(dir.filePath(QStringLiteral("tv_user.db"))), 0);
    ASSERT_TRUE(next.LoadBooks({bookA, bookB, c}));
    ModelSerializer(next, next.Db()).Load();
    EXPECT_EQ(next.Storage().CurrentBook()->path, c);
    EXPECT_EQ(next.SelectedQids(), std::vector<int>{11});
}

// Thousands of stored prints (added by hand or by another program) made
// every start and exit take minutes: the first hundred come back, and the
// caller learns how many were left out.
TEST_F(ModelSerializerTest, AtMostAHundredPrintsComeBack)
{
    QStringList prints;
    for (int i = 0; i < 2500; ++i)
        prints << (i == 0 ? QStringLiteral("11:52,51") : QStringLiteral("11:51"));
    StoreSelection(
        QStringLiteral("TV-TEST-1"), QStringLiteral("1"), QString(), QStringLiteral("11"), prints.join(u'/'));
    EXPECT_EQ(ModelSerializer(model, model.Db()).Load(), 2400);
    ASSERT_EQ(model.QuizCount(), ModelSerializer::kMaxRestoredPrints);
    EXPECT_EQ(SentenceIds(model.GetQuiz(0).UnitFor(11)), (std::vector<int>{52, 51}));

    Save();
    EXPECT_EQ(ModelSerializer(model, model.Db()).Load(), 0);
    EXPECT_EQ(model.QuizCount(), ModelSerializer::kMaxRestoredPrints);
}

TEST_F(ModelSerializerTest, FailedSaveChangesNoStoredValue)
{
    Compose();
    Save();
    OnUserDatabase("CREATE TRIGGER refuse_quiz BEFORE UPDATE ON Info WHEN NEW.name = 'quiz' "
                   "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    ASSERT_EQ(model.SelectBook(1), 0);
    EXPECT_FALSE(ModelSerializer(model, model.Db()).Save());
    EXPECT_EQ(Stored(QStringLiteral("dbid")), QStringLiteral("TV-TEST-2"));
    EXPECT_EQ(Stored(QStringLiteral("bid")), QStringLiteral("2"));
    EXPECT_EQ(Stored(QStringLiteral("range")), QStringLiteral("1:3,4"));
    // The user database is usable afterwards: no transaction was left open.
    OnUserDatabase("DROP TRIGGER refuse_quiz;");
    Save();
    EXPECT_EQ(Stored(QStringLiteral("bid")), QStringLiteral("1"));
    EXPECT_EQ(Stored(QStringLiteral("quiz")), QStringLiteral("12:|11:"));
}

// A user database where "dbid" and "quiz" were stored twice (by another
// program, or a copy merged by hand) used to refuse every later save. The
// next start keeps one row per name, and the session's selection is kept.
TEST_F(ModelSerializerTest, NamesStoredTwiceNoLongerStopTheSave)
{
    Save();
    OnUserDatabase("insert into Info(name,value) values('dbid','TV-OTHER'),('quiz','11:51');");
    Model next;
    ASSERT_EQ(next.Db().OpenUser(dir.filePath(QStringLiteral("tv_user.db"))), 0);
    ASSERT_TRUE(next.LoadBooks({bookA, bookB}));
    ModelSerializer(next, next.Db()).Load();
    ASSERT_EQ(next.SelectBook(2), 0);
    next.SetQuestions({11});
    Quiz quiz = next.GetQuiz(0);
    quiz.AddSentence(next.Storage().SentenceById(52));
    next.SetQuiz(0, quiz);
    ASSERT_TRUE(ModelSerializer(next, next.Db()).Save());

    Model third;
    ASSERT_EQ(third.Db().OpenUser(dir.filePath(QStringLiteral("tv_user.db"))), 0);
    ASSERT_TRUE(third.LoadBooks({bookA, bookB}));
    ModelSerializer(third, third.Db()).Load();
    EXPECT_EQ(third.Storage().CurrentBid(), 2);
    ASSERT_EQ(third.QuizCount(), 1);
    EXPECT_EQ(SentenceIds(third.GetQuiz(0).UnitFor(11)), std::vector<int>{52});
}

// Another program holds the user database at exit: one wait, then nothing
// is written and the caller hears so; the next save goes through.
TEST_F(ModelSerializerTest, LockedUserDatabaseFailsTheSaveWhole)
{
    Compose();
    Save();
    model.Db().SetBeginWait(50);
    ASSERT_EQ(model.SelectBook(1), 0);
    bool alongside = false;
    {
        CppSQLite3DB other;
        other.Open(dir.filePath(QStringLiteral("tv_user.db")).toStdString());
        other.ExecuteBatch("begin immediate;");
        EXPECT_FALSE(ModelSerializer(model, model.Db()).Save([&] { alongside = true; }));
    }
    EXPECT_FALSE(alongside);
    EXPECT_EQ(Stored(QStringLiteral("bid")), QStringLiteral("2"));
    EXPECT_TRUE(ModelSerializer(model, model.Db()).Save([&] {
        alongside = true;
        model.WriteTemplateName(QStringLiteral("B.dot"));
    }));
    EXPECT_TRUE(alongside);
    EXPECT_EQ(Stored(QStringLiteral("bid")), QStringLiteral("1"));
    EXPECT_EQ(Stored(QStringLiteral("template")), QStringLiteral("B.dot"));
}

TEST_F(ModelSerializerTest, DisabledUserDatabaseNeitherSavesNorRestores)
{
    Compose();
    model.Db().SetUserEnabled(false);
    Save();
    model.Db().SetUserEnabled(true);
    EXPECT_EQ(Stored(QStringLiteral("bid")), QString());

    StoreSelection(QStringLiteral("TV-TEST-1"), QStringLiteral("1"), QString(), QString(), QString());
    model.Db().SetUserEnabled(false);
    Load();
    EXPECT_EQ(Storage().CurrentBid(), 2);
}

TEST_F(ModelSerializerTest, BrokenUserDatabaseRestoresNothing)
{
    OnUserDatabase("DROP TABLE Info;");
    Load();
    EXPECT_EQ(Storage().CurrentBid(), 1);
    EXPECT_EQ(model.QuizCount(), 1);
    EXPECT_FALSE(ModelSerializer(model, model.Db()).Save());
}

} // namespace
