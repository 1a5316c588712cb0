#include "quiz/NodeSerializer.h"
#include "ModelFixture.h"

namespace {

using Intervals = std::vector<std::pair<int, int>>;

class NodeSerializerTest : public ModelFixture {
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        ASSERT_TRUE(model.LoadBooks({BuildBook(BookFixture::SmallBookSql())}));
    }

    Ranges RangeFrom(const QString& text)
    {
        Ranges range(std::vector<int>{3});
        EXPECT_TRUE(serializer.from_str(text, range));
        return range;
    }

    std::vector<Quiz> PrintsFrom(const QString& text, bool read = true)
    {
        std::vector<Quiz> prints;
        EXPECT_EQ(serializer.from_str(text, prints), read) << text.toStdString();
        return prints;
    }

    NodeSerializer serializer{model};
};

TEST_F(NodeSerializerTest, NumbersAndIdLists)
{
    EXPECT_EQ(serializer.to_str(-12), QStringLiteral("-12"));
    EXPECT_EQ(serializer.to_str(std::vector<int>{3, 5, 8}), QStringLiteral("3,5,8"));
    EXPECT_EQ(serializer.to_str(std::vector<int>{}), QString());

    int value = 7;
    EXPECT_TRUE(serializer.from_str(QStringLiteral(" 42x"), value));
    EXPECT_EQ(value, 42);
    EXPECT_FALSE(serializer.from_str(QStringLiteral("x"), value));
    EXPECT_FALSE(serializer.from_str(QString(), value));
    EXPECT_EQ(value, 42);

    std::vector<int> ids;
    EXPECT_TRUE(serializer.from_str(QStringLiteral(",3,,x,-4,"), ids));
    EXPECT_EQ(ids, (std::vector<int>{3, -4}));
    EXPECT_FALSE(serializer.from_str(QStringLiteral(",,"), ids));
    EXPECT_EQ(ids, (std::vector<int>{3, -4}));
}

TEST_F(NodeSerializerTest, Intervals)
{
    std::pair<int, int> interval;
    EXPECT_TRUE(serializer.from_str(QStringLiteral("7"), interval));
    EXPECT_EQ(interval, std::make_pair(7, 7));
    EXPECT_TRUE(serializer.from_str(QStringLiteral("1,5,9"), interval));
    EXPECT_EQ(interval, std::make_pair(1, 5));
    EXPECT_FALSE(serializer.from_str(QStringLiteral("1,x"), interval));
    EXPECT_FALSE(serializer.from_str(QString(), interval));
    EXPECT_EQ(interval, std::make_pair(1, 5));

    Intervals intervals;
    EXPECT_TRUE(serializer.from_str(QStringLiteral("1,5||x|8|,3"), intervals));
    EXPECT_EQ(intervals, (Intervals{{1, 5}, {8, 8}}));
}

TEST_F(NodeSerializerTest, RangeTexts)
{
    EXPECT_EQ(serializer.to_str(Ranges()), QString());
    EXPECT_EQ(serializer.to_str(Ranges(std::vector<int>{8, 3, 5})), QStringLiteral("1:3,5,8"));
    EXPECT_EQ(serializer.to_str(Ranges(std::vector<int>{})), QStringLiteral("1:"));
    EXPECT_EQ(serializer.to_str(Ranges(12, {{1, 5}, {8, 8}})), QStringLiteral("2:12/1,5|8,8"));
    EXPECT_EQ(serializer.to_str(Ranges(12, {})), QStringLiteral("2:12/"));
    EXPECT_EQ(serializer.to_str(Ranges(-1, {{-5, -2}})), QStringLiteral("2:-1/-5,-2"));
}

TEST_F(NodeSerializerTest, RangeReadsBack)
{
    const Ranges index = RangeFrom(QStringLiteral("1:3,99,x,4"));
    EXPECT_EQ(index.OrderedIndexIds(), (std::vector<int>{3, 4})); // 99 is not in the book

    const Ranges number = RangeFrom(QStringLiteral("2:12/1,5|8,8"));
    ASSERT_NE(number.NumberRange(), nullptr);
    EXPECT_EQ(number.NumberRange()->AttrClassId(), 12);
    EXPECT_EQ(number.NumberRange()->GetIntervals(), (Intervals{{1, 5}, {8, 8}}));

    const Ranges noIntervals = RangeFrom(QStringLiteral("2:12/"));
    ASSERT_NE(noIntervals.NumberRange(), nullptr);
    EXPECT_EQ(noIntervals.NumberRange()->AttrClassId(), 12);
    EXPECT_TRUE(noIntervals.NumberRange()->GetIntervals().empty());

    const Ranges single = RangeFrom(QStringLiteral("2:12/4"));
    ASSERT_NE(single.NumberRange(), nullptr);
    EXPECT_EQ(single.NumberRange()->GetIntervals(), (Intervals{{4, 4}}));
}

TEST_F(NodeSerializerTest, UnreadableRangeTextsGiveTheEmptyRange)
{
    for (const char* text : {"", "1:", "1", ":", "3:1,2", "x:3", "2:x/1,2", "2:"})
        EXPECT_TRUE(RangeFrom(QString::fromLatin1(text)).IsNull()) << text;
    // Every stored id is missing from the book: an index range of nothing.
    const Ranges none = RangeFrom(QStringLiteral("1:98,99"));
    EXPECT_EQ(none.Type(), Range::ByIndex);
    EXPECT_TRUE(none.IsEmpty());
}

TEST_F(NodeSerializerTest, IndexRangeComesBackInTableOfContentsOrder)
{
    // Entry ids that do not follow the table of contents: 9 comes before 4.
    const QString sql
        = BookFixture::SchemaSql() + BookFixture::InfoSql(QStringLiteral("TV-ORDER")) + QStringLiteral(R"sql(
INSERT INTO BookInfo VALUES(1,'順序');
INSERT INTO Indices VALUES(1,1,0,0,1,1,'root');
INSERT INTO Indices VALUES(9,1,1,2,2,1,'Unit A');
INSERT INTO Indices VALUES(4,1,1,8,3,1,'Unit B');
INSERT INTO Questions VALUES(11,1,'q','q','',0,0);
)sql");
    ASSERT_TRUE(model.LoadBooks({BuildBook(sql, QStringLiteral("order"))}));
    const Ranges chosen(std::vector<int>{9, 4});
    const QString stored = serializer.to_str(chosen);
    EXPECT_EQ(stored, QStringLiteral("1:4,9"));
    const Ranges restored = RangeFrom(stored);
    EXPECT_EQ(restored.OrderedIndexIds(), (std::vector<int>{9, 4}));
    EXPECT_EQ(restored.Describe(Storage()), chosen.Describe(Storage()));
}

// A table of contents far deeper than the thread's stack allows for one
// call per level: a stored range over it comes back, at every start.
TEST_F(NodeSerializerTest, RangeOfAVeryDeepTableOfContentsComesBack)
{
    constexpr int depth = 200000;
    ASSERT_TRUE(model.LoadBooks({BuildBook(BookFixture::DeepContentsBookSql(depth), QStringLiteral("deep"))}));
    const int deepest = 999 + depth;
    const Ranges restored = RangeFrom(serializer.to_str(Ranges(std::vector<int>{deepest, 3})));
    EXPECT_EQ(restored.OrderedIndexIds(), (std::vector<int>{3, deepest}));
}

TEST_F(NodeSerializerTest, PrintTexts)
{
    Quiz first = model.NewQuiz();
    first.AddSentence(S(51));
    first.AddSentence(S(52));
    first.AddQuestion(12);
    first.AddQuestion(13);
    Quiz second = model.NewQuiz();
    second.AddSentence(S(53));
    EXPECT_EQ(serializer.to_str(std::vector<Quiz>{first, second}), QStringLiteral("11:51,52|12:|13:/11:53"));
    EXPECT_EQ(serializer.to_str(std::vector<Quiz>{model.NewQuiz()}), QString());
    EXPECT_EQ(serializer.to_str(std::vector<Quiz>{model.NewQuiz(), model.NewQuiz()}), QStringLiteral("/"));
    EXPECT_EQ(serializer.to_str(std::vector<Quiz>{}), QString());
}

TEST_F(NodeSerializerTest, PrintsReadBackInOrder)
{
    const std::vector<Quiz> prints = PrintsFrom(QStringLiteral("11:51,52|12:|13:61/11:53"));
    ASSERT_EQ(prints.size(), 2u);
    EXPECT_EQ(QuestionIds(prints[0]), (std::vector<int>{11, 12, 13}));
    EXPECT_EQ(SentenceIds(prints[0].UnitFor(11)), (std::vector<int>{51, 52}));
    // 61 belongs to question 12: it joins the unit of its own question.
    EXPECT_EQ(SentenceIds(prints[0].UnitFor(12)), std::vector<int>{61});
    EXPECT_TRUE(prints[0].UnitFor(13).IsEmpty());
    EXPECT_EQ(QuestionIds(prints[1]), std::vector<int>{11});
    EXPECT_EQ(SentenceIds(prints[1].UnitFor(11)), std::vector<int>{53});
    EXPECT_EQ(prints[0].Storage(), &Storage());
}

TEST_F(NodeSerializerTest, SentencesJoinTheirOwnQuestionAndUnknownIdsAreDropped)
{
    // Question 99 is not in the book: its sentence 51 still joins 11.
    const std::vector<Quiz> prints = PrintsFrom(QStringLiteral("99:51|11:61,999,x,52"));
    ASSERT_EQ(prints.size(), 1u);
    EXPECT_EQ(QuestionIds(prints[0]), (std::vector<int>{11, 12}));
    EXPECT_EQ(SentenceIds(prints[0].UnitFor(11)), (std::vector<int>{51, 52}));
    EXPECT_EQ(SentenceIds(prints[0].UnitFor(12)), std::vector<int>{61});
}

TEST_F(NodeSerializerTest, PiecesTheWriterNeverMakesAreSkipped)
{
    const std::vector<Quiz> prints = PrintsFrom(QStringLiteral("//11:51||x:52|:|12/"));
    ASSERT_EQ(prints.size(), 1u);
    EXPECT_EQ(QuestionIds(prints[0]), (std::vector<int>{11, 12}));
    EXPECT_EQ(SentenceIds(prints[0].UnitFor(11)), std::vector<int>{51});

    EXPECT_TRUE(PrintsFrom(QStringLiteral("/"), false).empty());
    EXPECT_TRUE(PrintsFrom(QStringLiteral("x|98:1/97:"), false).empty());
}

TEST_F(NodeSerializerTest, CountsTexts)
{
    EXPECT_EQ(serializer.to_str(std::map<int, int>{{12, 5}, {11, 10}}), QStringLiteral("11:10|12:5"));
    std::map<int, int> counts{{1, 1}};
    EXPECT_TRUE(serializer.from_str(QStringLiteral("7:3|x|9:1:2"), counts));
    EXPECT_EQ(counts, (std::map<int, int>{{7, 3}}));
}

} // namespace
