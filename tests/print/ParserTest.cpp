#include "print/Parser.h"
#include "quiz/StorageFixture.h"

#include "markup/InstalledFonts.h"
#include "quiz/Quiz.h"

#include <string>

namespace Print {
namespace {

using Stream = std::vector<std::string>;

// One entry "kind text" per command, readable in failure messages.
Stream Describe(const CmdList& commands)
{
    Stream out;
    for (const CmdPtr& command : commands)
        out.push_back(std::to_string(command->kind) + ' ' + command->text.toStdString());
    return out;
}

std::string C(int kind, const char* text = "")
{
    return std::to_string(kind) + ' ' + text;
}

void Add(Stream& stream, const Stream& more)
{
    stream.insert(stream.end(), more.begin(), more.end());
}

class ParserTest : public StorageFixture {
protected:
    void SetUp() override
    {
        LoadBook();
        LoadSentencesOf({11, 12});
    }

    Quiz PrintOf(std::initializer_list<int> sids, std::initializer_list<int> qids = {})
    {
        Quiz quiz(&storage);
        for (int qid : qids)
            quiz.AddQuestion(qid);
        for (int sid : sids)
            quiz.AddSentence(storage.SentencePool().Find(sid));
        return quiz;
    }

    Stream Parse(const std::vector<Quiz>& quizzes)
    {
        CmdList commands{std::make_shared<const Cmd>(Cmd{Text, QStringLiteral("left over")})};
        EXPECT_TRUE(Parser(fonts).Parse(commands, quizzes));
        return Describe(commands);
    }

    // Head of a print: its number, a paragraph end and the header block.
    static Stream PrintHead(const char* number) { return {C(PrintId, number), C(NewParagraph), C(PageHeader)}; }

    // Format 11 ("次の日本語を英語にしなさい。", two answer lines, field "______")
    // with sentence 51; `last` is the answer field or the answer.
    static Stream Format11With51(const char* number, const char* last)
    {
        return {C(QuestionHead, number), C(Text, "次の日本語を英語にしなさい。"), C(NewParagraph), C(ItemNumber, "1"),
            C(Text, "りんごを食べる。"), C(NewParagraph), C(NewParagraph), C(NewParagraph), C(AnswerNumber, "1"),
            C(Text, last), C(NewParagraph)};
    }

    InstalledFonts fonts{[] { return QStringList(); }};
};

TEST_F(ParserTest, NoPrintsGiveOnlyThePageBreakBetweenTheHalves)
{
    EXPECT_EQ(Parse({}), Stream{C(NewPage)});
}

TEST_F(ParserTest, OnePrintOneFormatOneSentence)
{
    Stream expected = PrintHead("1");
    Add(expected, Format11With51("1", "______"));
    expected.push_back(C(NewPage));
    Add(expected, PrintHead("1"));
    Add(expected, Format11With51("1", "eat an apple"));
    EXPECT_EQ(Parse({PrintOf({51})}), expected);
}

TEST_F(ParserTest, SecondFormatStartsWithAnEmptyParagraph)
{
    // Format 12 has one answer line and the field "(    )"; format 13 has
    // no sentences, no answer lines and an empty field.
    const Stream format12
        = {C(NewParagraph), C(QuestionHead, "2"), C(Text, "次の英文を日本語にしなさい。"), C(NewParagraph),
            C(ItemNumber, "1"), C(Text, "An apple a day."), C(NewParagraph), C(NewParagraph), C(AnswerNumber, "1")};
    const Stream format13
        = {C(NewParagraph), C(QuestionHead, "3"), C(Text, "空所に入る語を書きなさい。"), C(NewParagraph)};
    Stream expected = PrintHead("1");
    Add(expected, Format11With51("1", "______"));
    Add(expected, format12);
    Add(expected, {C(Text, "(    )"), C(NewParagraph)});
    Add(expected, format13);
    expected.push_back(C(NewPage));
    Add(expected, PrintHead("1"));
    Add(expected, Format11With51("1", "eat an apple"));
    Add(expected, format12);
    Add(expected, {C(Text, "一日一個のりんご"), C(NewParagraph)});
    Add(expected, format13);
    EXPECT_EQ(Parse({PrintOf({51, 61}, {11, 12, 13})}), expected);
}

TEST_F(ParserTest, SecondPrintStartsOnANewPageAndNumbersRestartInTheAnswers)
{
    Stream expected = PrintHead("1");
    Add(expected, Format11With51("1", "______"));
    expected.push_back(C(NewPage));
    Add(expected, PrintHead("2"));
    Add(expected, {C(QuestionHead, "1"), C(Text, "次の英文を日本語にしなさい。"), C(NewParagraph)});
    expected.push_back(C(NewPage));
    Add(expected, PrintHead("1"));
    Add(expected, Format11With51("1", "eat an apple"));
    expected.push_back(C(NewPage));
    Add(expected, PrintHead("2"));
    Add(expected, {C(QuestionHead, "1"), C(Text, "次の英文を日本語にしなさい。"), C(NewParagraph)});
    EXPECT_EQ(Parse({PrintOf({51}), PrintOf({}, {12})}), expected);
}

TEST_F(ParserTest, EmptyPrintHasOnlyItsHead)
{
    Stream expected = PrintHead("1");
    expected.push_back(C(NewPage));
    Add(expected, PrintHead("1"));
    EXPECT_EQ(Parse({Quiz(&storage)}), expected);
}

TEST_F(ParserTest, MarkupOfContentTextsBecomesCommands)
{
    const QString sql = BookFixture::SmallBookSql() + QStringLiteral(R"sql(
UPDATE Questions SET question='a@b', ans_field='', ans_field_spc=-1 WHERE qid=11;
UPDATE Sentences SET sentence='x<S=2>y', answer='' WHERE sid=51;
)sql");
    ASSERT_TRUE(storage.LoadBooks({BuildBook(sql, QStringLiteral("markup"))}));
    std::vector<Sentence*> sentences;
    storage.SentencesOf(11, sentences);
    const Stream half
        = {C(QuestionHead, "1"), C(Text, "a"), C(LineBreak), C(Text, "b"), C(NewParagraph), C(ItemNumber, "1"),
            C(Text, "x"), C(SubscriptText, "2"), C(Text, "y"), C(NewParagraph), C(AnswerNumber, "1"), C(NewParagraph)};
    Stream expected = PrintHead("1");
    Add(expected, half);
    expected.push_back(C(NewPage));
    Add(expected, PrintHead("1"));
    Add(expected, half);
    EXPECT_EQ(Parse({PrintOf({51})}), expected);
}

TEST_F(ParserTest, ExternalCharactersFollowTheInstalledFonts)
{
    const QString sql
        = BookFixture::SmallBookSql() + QStringLiteral("UPDATE Questions SET question='<G=98C6>' WHERE qid=13;");
    ASSERT_TRUE(storage.LoadBooks({BuildBook(sql, QStringLiteral("gaiji"))}));
    const Stream withoutFont = {C(QuestionHead, "1"), C(Text, "\u5036"), C(NewParagraph)};
    const Stream withFont = {C(QuestionHead, "1"), C(ExternalChar, "\u4F5D"), C(NewParagraph)};

    Stream expected = PrintHead("1");
    Add(expected, withoutFont);
    expected.push_back(C(NewPage));
    Add(expected, PrintHead("1"));
    Add(expected, withoutFont);
    EXPECT_EQ(Parse({PrintOf({}, {13})}), expected);

    InstalledFonts withGaiji([] { return QStringList{QStringLiteral("Morvane Gaiji")}; });
    CmdList commands;
    Parser(withGaiji).Parse(commands, {PrintOf({}, {13})});
    expected = PrintHead("1");
    Add(expected, withFont);
    expected.push_back(C(NewPage));
    Add(expected, PrintHead("1"));
    Add(expected, withFont);
    EXPECT_EQ(Describe(commands), expected);
}

} // namespace
} // namespace Print
