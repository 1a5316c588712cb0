#include "print/CreatorWord.h"
#include "print/RecordingWord.h"

#include "automation/AutomationError.h"
#include "automation/ClassRegistry.h"

#include <gtest/gtest.h>

using namespace Print;

// Readable failure output for the call logs.
static void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

// Opens the protected steps of a run to the tests.
class TestableCreatorWord : public CreatorWord {
public:
    using CreatorWord::Abort;
    using CreatorWord::Complete;
    using CreatorWord::Finish;
    using CreatorWord::IsVertical;
    using CreatorWord::MakeDigitsUpright;
    using CreatorWord::Open;
    using CreatorWord::SetRange;
    using CreatorWord::SetTitle;
    using CreatorWord::WriteCommand;
};

class CreatorWordTest : public testing::Test {
protected:
    std::shared_ptr<RecordingWord::State> word = std::make_shared<RecordingWord::State>();
    RecordingWord::Registration registration{word};
    TestableCreatorWord creator;

    void OpenTemplate(const QString& templateText)
    {
        word->templateText = templateText;
        ASSERT_TRUE(creator.Open(QStringLiteral("/t/a.dot")));
        word->log.clear();
    }

    QStringList Write(int kind, const QString& text = {})
    {
        word->log.clear();
        EXPECT_TRUE(creator.WriteCommand(Cmd{kind, text}));
        return word->log;
    }

    QStringList UprightCalls(const QString& documentText)
    {
        word->documentText = documentText;
        word->log.clear();
        creator.MakeDigitsUpright();
        return word->log.filter(QStringLiteral("HorizontalInVertical"));
    }
};

} // namespace

TEST_F(CreatorWordTest, OpenStartsHiddenAndPutsTheInsertionPointAtTheEnd)
{
    word->templateText = QStringLiteral("header\r\r"); // 8 characters with the final mark
    ASSERT_TRUE(creator.Open(QStringLiteral("/t/a.dot")));
    const QStringList expected = {"Application.Visible=false", "Application.WindowState=2",
        "Application.DisplayAlerts=0", "Application.Documents", "Documents.Add(\"/t/a.dot\",-,-,-)",
        "Document.Range(-,-)", "Range[0,8].End", "Range[0,8].End=7", "Document.Range(-,-)", "Range[0,8].End",
        "Document.Range(8,8)", "Range[8,8].Select", "Application.Selection"};
    EXPECT_EQ(word->log, expected);
}

TEST_F(CreatorWordTest, OpenFailsWhenTheApplicationCannotBeCreated)
{
    Automation::ClassRegistry::Unregister(QStringLiteral("Word.Application"));
    EXPECT_FALSE(creator.Open(QStringLiteral("/t/a.dot")));

    Automation::ClassRegistry::Register(QStringLiteral("Word.Application"), []() -> Automation::ObjectPtr {
        throw Automation::AutomationError(
            Automation::AutomationError::ServerExecFailure, QStringLiteral("{00020970-0000-0000-C000-000000000046}"));
    });
    EXPECT_FALSE(creator.Open(QStringLiteral("/t/a.dot")));
    EXPECT_TRUE(word->log.isEmpty());
}

TEST_F(CreatorWordTest, NumbersGetTheirStyleBeforeTheDecoratedText)
{
    OpenTemplate(QStringLiteral("h\r\r"));
    EXPECT_EQ(Write(QuestionHead, "1"),
        (QStringList{
            "Selection.ParagraphFormat", "ParagraphFormat.Style=\"設問\"", "Selection.TypeText(\"【1】\t\")"}));
    EXPECT_EQ(Write(ItemNumber, "2"),
        (QStringList{"Selection.ParagraphFormat", "ParagraphFormat.Style=\"問題\"", "Selection.TypeText(\"(2)\t\")"}));
    EXPECT_EQ(Write(AnswerNumber, "12"),
        (QStringList{"Selection.ParagraphFormat", "ParagraphFormat.Style=\"解答\"", "Selection.TypeText(\"(12)\t\")"}));
    EXPECT_EQ(Write(PrintId, "3"),
        (QStringList{
            "Selection.ParagraphFormat", "ParagraphFormat.Style=\"プリントID\"", "Selection.TypeText(\"3\")"}));
}

TEST_F(CreatorWordTest, TextCommandsTypeAtTheInsertionPoint)
{
    OpenTemplate(QStringLiteral("h\r\r"));
    EXPECT_EQ(Write(NewParagraph), (QStringList{"Selection.TypeParagraph"}));
    EXPECT_EQ(Write(NewPage), (QStringList{"Selection.InsertBreak(7)"}));
    EXPECT_EQ(Write(LineBreak), (QStringList{"Selection.TypeText(\"\v\")"}));
    EXPECT_EQ(Write(Text, "りんご"), (QStringList{"Selection.TypeText(\"りんご\")"}));
    EXPECT_EQ(Write(UnderlinedText, "apple"),
        (QStringList{"Selection.Font", "Font.Underline=1", "Selection.TypeText(\"apple\")", "Font.Underline=0"}));
    EXPECT_EQ(Write(SubscriptText, "2"),
        (QStringList{"Selection.Font", "Font.Subscript=1", "Selection.TypeText(\"2\")", "Font.Subscript=0"}));
}

TEST_F(CreatorWordTest, ExternalCharacterIsTypedInItsFontAndTheFaceRestored)
{
    OpenTemplate(QStringLiteral("h\r\r"));
    word->fontName = QStringLiteral("游明朝");
    EXPECT_EQ(Write(ExternalChar, QString(QChar(0xE001))),
        (QStringList{"Selection.Font", "Font.Name", "Font.Name=Morvane Gaiji",
            "Selection.TypeText(\"" + QString(QChar(0xE001)) + "\")", "Font.Name=游明朝"}));
    EXPECT_EQ(word->fontName, QStringLiteral("游明朝"));
}

TEST_F(CreatorWordTest, UnknownKindsAreIgnored)
{
    OpenTemplate(QStringLiteral("h\r\r"));
    EXPECT_TRUE(Write(0, "x").isEmpty());
    EXPECT_TRUE(Write(13, "x").isEmpty());
    EXPECT_TRUE(Write(-1, "x").isEmpty());
}

TEST_F(CreatorWordTest, PageHeaderPastesTheTemplateContent)
{
    OpenTemplate(QStringLiteral("氏名 @title\r\r"));
    EXPECT_EQ(Write(PageHeader),
        (QStringList{"Range[0,10].End", "Range[0,10].Start", "Range[0,10].Copy", "Selection.Paste"}));
}

TEST_F(CreatorWordTest, EmptyTemplateHasNothingToPasteOrDelete)
{
    OpenTemplate(QStringLiteral("\r"));
    const QStringList pasted = Write(PageHeader);
    EXPECT_FALSE(pasted.contains("Selection.Paste"));
    EXPECT_FALSE(pasted.filter(".Copy").size());

    word->log.clear();
    EXPECT_TRUE(creator.Complete());
    EXPECT_TRUE(word->log.filter(".Delete").isEmpty());
    EXPECT_EQ(word->log.last(), "Selection.HomeKey(6,-)");
}

TEST_F(CreatorWordTest, CompleteDeletesTheHeaderBlockAndGoesToTheTop)
{
    OpenTemplate(QStringLiteral("header\r\r"));
    EXPECT_TRUE(creator.Complete());
    EXPECT_EQ(word->log,
        (QStringList{"Range[0,7].End", "Range[0,7].Start", "Range[0,7].Delete(-,-)", "Selection.HomeKey(6,-)"}));
}

TEST_F(CreatorWordTest, PlaceholdersAreReplacedThroughTheWholeDocument)
{
    OpenTemplate(QStringLiteral("@title @range\r\r"));
    EXPECT_TRUE(creator.SetTitle(QStringLiteral("英単語テスト")));
    const QStringList expected = {"Selection.HomeKey(6,-)", "Selection.Find", "Find.ClearFormatting",
        "Find.Replacement", "Replacement.ClearFormatting", "Find.Text=\"@title\"", "Replacement.Text=\"英単語テスト\"",
        "Find.Forward=true", "Find.Wrap=1", "Find.MatchCase=false", "Find.MatchByte=false",
        "Find.MatchAllWordForms=false", "Find.MatchSoundsLike=false", "Find.MatchWildcards=false",
        "Find.Execute(-,-,-,-,-,-,-,-,-,-,2)"};
    EXPECT_EQ(word->log, expected);

    word->log.clear();
    EXPECT_TRUE(creator.SetRange(QString()));
    EXPECT_TRUE(word->log.contains("Find.Text=\"@range\""));
    EXPECT_TRUE(word->log.contains("Replacement.Text=\"\""));
}

TEST_F(CreatorWordTest, AbortClosesEverythingUnsaved)
{
    OpenTemplate(QStringLiteral("h\r\r"));
    creator.Abort();
    EXPECT_EQ(word->log, (QStringList{"Application.Documents", "Documents.Close(0,-,-)"}));
}

TEST_F(CreatorWordTest, FinishShowsTheApplicationAndLetsGoOfIt)
{
    OpenTemplate(QStringLiteral("h\r\r"));
    creator.Finish();
    EXPECT_EQ(word->log, (QStringList{"Application.Visible=true", "Application.WindowState=0"}));
    EXPECT_TRUE(registration.lastApplication.expired());

    word->log.clear();
    creator.Finish(); // nothing held: nothing to do
    EXPECT_TRUE(word->log.isEmpty());
}

TEST_F(CreatorWordTest, FinishLetsGoEvenWhenShowingFails)
{
    OpenTemplate(QStringLiteral("h\r\r"));
    word->onCall = [](const QString& call) {
        if (call.startsWith("Application.Visible"))
            throw Automation::AutomationError(
                Automation::AutomationError::Disconnected, QStringLiteral("{00020970-0000-0000-C000-000000000046}"));
    };
    EXPECT_THROW(creator.Finish(), Automation::AutomationError);
    EXPECT_TRUE(registration.lastApplication.expired());
}

TEST_F(CreatorWordTest, VerticalMeansEitherVerticalOrientation)
{
    OpenTemplate(QStringLiteral("h\r\r"));
    const std::pair<int, bool> cases[] = {{0, false}, {1, true}, {2, false}, {3, false}, {4, false}, {5, true}};
    for (const auto& [orientation, vertical] : cases) {
        word->orientation = orientation;
        EXPECT_EQ(creator.IsVertical(), vertical) << orientation;
    }
}

TEST_F(CreatorWordTest, DigitRunsAreSetUpright)
{
    OpenTemplate(QStringLiteral("h\r\r"));
    EXPECT_EQ(UprightCalls(QStringLiteral("x12y3\r")),
        (QStringList{"Range[1,3].HorizontalInVertical=2", "Range[4,5].HorizontalInVertical=2"}));
    EXPECT_EQ(UprightCalls(QStringLiteral("7a\r")), (QStringList{"Range[0,1].HorizontalInVertical=2"}));
    EXPECT_EQ(UprightCalls(QStringLiteral("a\r90\r")), (QStringList{"Range[2,4].HorizontalInVertical=2"}));
    EXPECT_TRUE(UprightCalls(QStringLiteral("１２３\r")).isEmpty());
    EXPECT_TRUE(UprightCalls(QStringLiteral("abc\r")).isEmpty());
}

TEST_F(CreatorWordTest, UprightWalkStopsBeforeTheFinalParagraphMark)
{
    OpenTemplate(QStringLiteral("h\r\r"));
    UprightCalls(QStringLiteral("ab\r"));
    EXPECT_EQ(word->log.filter(".Text"), (QStringList{"Range[0,1].Text", "Range[1,2].Text"}));

    EXPECT_TRUE(UprightCalls(QStringLiteral("\r")).isEmpty());
    EXPECT_EQ(word->log, (QStringList{"Document.Range(-,-)", "Range[0,1].End"}));
}

TEST_F(CreatorWordTest, AvailabilityIsProbedOnceAndTheProbeQuits)
{
    CreatorWord::ForgetAvailability();
    EXPECT_TRUE(creator.IsAvailable());
    EXPECT_EQ(word->log, (QStringList{"Application.Quit(-,-,-)"}));
    EXPECT_TRUE(registration.lastApplication.expired());

    CreatorWord other;
    EXPECT_TRUE(other.IsAvailable());
    EXPECT_EQ(registration.created, 1);
    CreatorWord::ForgetAvailability();
}

TEST_F(CreatorWordTest, AvailabilityProbeFailuresMeanNotAvailable)
{
    CreatorWord::ForgetAvailability();
    Automation::ClassRegistry::Unregister(QStringLiteral("Word.Application"));
    EXPECT_FALSE(creator.IsAvailable());

    CreatorWord::ForgetAvailability();
    RecordingWord::Registration failing(word);
    word->onCall = [](const QString&) {
        throw Automation::AutomationError(Automation::AutomationError::Fail, QStringLiteral("x"));
    };
    EXPECT_FALSE(creator.IsAvailable());
    CreatorWord::ForgetAvailability();
}

TEST_F(CreatorWordTest, WholeRunLeavesTheDocumentShown)
{
    word->templateText = QStringLiteral("@title\r\r");
    const CmdList commands = {std::make_shared<Cmd>(Cmd{PrintId, "1"}), std::make_shared<Cmd>(Cmd{NewParagraph, {}}),
        std::make_shared<Cmd>(Cmd{PageHeader, {}})};
    EXPECT_TRUE(creator.Create(commands, QStringLiteral("/t/a.dot"), QStringLiteral("T"), QStringLiteral("R")));
    EXPECT_TRUE(word->log.contains("Range[0,7].Copy"));
    EXPECT_TRUE(word->log.contains("Replacement.Text=\"T\""));
    EXPECT_TRUE(word->log.contains("Replacement.Text=\"R\""));
    EXPECT_TRUE(word->log.contains("Range[0,7].Delete(-,-)"));
    EXPECT_EQ(
        word->log.mid(word->log.size() - 2), (QStringList{"Application.Visible=true", "Application.WindowState=0"}));
    EXPECT_FALSE(word->log.contains("Documents.Close(0,-,-)"));
    EXPECT_TRUE(registration.lastApplication.expired());

    // A placeholder that the replacement missed discards the document.
    word->log.clear();
    word->unreplaced = QStringList{QStringLiteral("@title")};
    EXPECT_FALSE(creator.Create(commands, QStringLiteral("/t/a.dot"), QStringLiteral("T"), QStringLiteral("R")));
    EXPECT_TRUE(word->log.contains("Find.Execute(-,-,-,-,-,-,-,-,-,-,-)"));
    EXPECT_TRUE(word->log.contains("Documents.Close(0,-,-)"));
    EXPECT_FALSE(word->log.contains("Range[0,7].Delete(-,-)"));
}

// The half-made document goes unsaved, as after a failed step; Word is
// shown again.
TEST_F(CreatorWordTest, AutomationErrorMidRunDiscardsTheDocumentWithWordShown)
{
    word->onCall = [](const QString& call) {
        if (call == "ParagraphFormat.Style=\"問題\"")
            throw Automation::AutomationError(
                Automation::AutomationError::InvalidArgument, QStringLiteral("{00020953-0000-0000-C000-000000000046}"));
    };
    const CmdList commands = {std::make_shared<Cmd>(Cmd{QuestionHead, "1"}),
        std::make_shared<Cmd>(Cmd{ItemNumber, "1"}), std::make_shared<Cmd>(Cmd{Text, "never typed"})};
    EXPECT_FALSE(creator.Create(commands, QStringLiteral("/t/a.dot"), QStringLiteral("T"), QStringLiteral("R")));
    EXPECT_FALSE(word->log.contains("Selection.TypeText(\"never typed\")"));
    EXPECT_TRUE(word->log.contains("Documents.Close(0,-,-)"));
    EXPECT_EQ(
        word->log.mid(word->log.size() - 2), (QStringList{"Application.Visible=true", "Application.WindowState=0"}));
}
