#include "print/CreatorTaro.h"
#include "print/RecordingTaro.h"

#include "automation/AutomationError.h"
#include "automation/ClassRegistry.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace Print;

// Readable failure output for the call logs.
static void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

const QString Gaiji = QString(QChar(0xE003));

// Opens the protected steps of a run to the tests.
class TestableCreatorTaro : public CreatorTaro {
public:
    using CreatorTaro::Abort;
    using CreatorTaro::Complete;
    using CreatorTaro::Finish;
    using CreatorTaro::IsVertical;
    using CreatorTaro::MakeDigitsUpright;
    using CreatorTaro::Open;
    using CreatorTaro::SetRange;
    using CreatorTaro::SetTitle;
    using CreatorTaro::WriteCommand;
};

CmdList Commands(std::initializer_list<Cmd> commands)
{
    CmdList list;
    for (const Cmd& c : commands)
        list.push_back(std::make_shared<Cmd>(c));
    return list;
}

class CreatorTaroTest : public testing::Test {
protected:
    std::shared_ptr<RecordingTaro::State> taro = std::make_shared<RecordingTaro::State>();
    RecordingTaro::Registration registration{taro};
    TestableCreatorTaro creator;

    void OpenTemplate(int rows = 4)
    {
        taro->row = rows;
        ASSERT_TRUE(creator.Open(QStringLiteral("/t/a.jtt")));
        taro->log.clear();
    }

    QStringList Write(int kind, const QString& text = {})
    {
        taro->log.clear();
        EXPECT_TRUE(creator.WriteCommand(Cmd{kind, text}));
        return taro->log;
    }

    // Makes the call named `name` fail with an automation error.
    void FailOn(const QString& name)
    {
        taro->onCall = [name](const QString& call) {
            if (call.startsWith(name))
                throw Automation::AutomationError(
                    Automation::AutomationError::Fail, QStringLiteral("{00020400-0000-0000-C000-000000000046}"));
        };
    }
};

const QStringList OpenCalls = {"App.TaroLibrary", "GetWarningMode(-)", "WarningMode(0)",
    "OpenDocumentFile(\"/t/a.jtt\")", "App.WindowState=2", "App.Visible=false", "App.ActiveDocument",
    "GetDisplayMode(-)", "GetOptionEnvironment(-)", "Options.Item(\"JW型ｷｰ割付\")", "Options.Item(\"JW型ｷｰ割付\")=0",
    "OptionEnvironment(object)", "EnableAssist(0)", "JumpEnd(-)", "GetRow(-)"};

} // namespace

TEST_F(CreatorTaroTest, OpenHidesTheApplicationAndSwitchesTheKeyAssignmentOff)
{
    ASSERT_TRUE(creator.Open(QStringLiteral("/t/a.jtt")));
    EXPECT_EQ(taro->log, OpenCalls);
    EXPECT_EQ(taro->keyAssignment, 0);
    EXPECT_EQ(taro->warningMode, Automation::Variant(0));
}

TEST_F(CreatorTaroTest, KeyAssignmentAlreadyOffIsNeverWritten)
{
    taro->keyAssignment = 0;
    taro->onCall = [this](const QString& call) {
        if (call.startsWith("Options.Item(\"JW型ｷｰ割付\")="))
            ADD_FAILURE() << "the option was written: " << call.toStdString();
        EXPECT_EQ(taro->keyAssignment, 0);
    };
    EXPECT_TRUE(creator.Create(Commands({{Text, "a"}}), QStringLiteral("/t/a.jtt"), "t", "r"));
    EXPECT_FALSE(taro->log.contains("OptionEnvironment(object)"));
    EXPECT_EQ(taro->keyAssignment, 0);
}

TEST_F(CreatorTaroTest, OpenFailsWithoutApplicationLibraryOrDocument)
{
    Automation::ClassRegistry::Unregister(QStringLiteral("JXW.Application"));
    EXPECT_FALSE(creator.Open(QStringLiteral("/t/a.jtt")));
    Automation::ClassRegistry::Register(QStringLiteral("JXW.Application"), []() -> Automation::ObjectPtr {
        throw Automation::AutomationError(Automation::AutomationError::ServerExecFailure, QStringLiteral("JXW"));
    });
    EXPECT_FALSE(creator.Open(QStringLiteral("/t/a.jtt")));
    EXPECT_TRUE(taro->log.isEmpty());

    RecordingTaro::Registration again{taro};
    taro->hasLibrary = false;
    EXPECT_FALSE(creator.Open(QStringLiteral("/t/a.jtt")));
    EXPECT_EQ(taro->log, QStringList{"App.TaroLibrary"});

    taro->hasLibrary = true;
    taro->hasDocument = false;
    taro->log.clear();
    EXPECT_FALSE(creator.Open(QStringLiteral("/t/a.jtt")));
    EXPECT_EQ(taro->log.last(), "App.ActiveDocument");
}

TEST_F(CreatorTaroTest, OpenFailsWhenTheProbeOrTheOptionStepRaises)
{
    for (const QString& failing :
        {QStringLiteral("GetDisplayMode"), QStringLiteral("Options.Item"), QStringLiteral("EnableAssist")}) {
        taro->log.clear();
        FailOn(failing);
        EXPECT_FALSE(creator.Open(QStringLiteral("/t/a.jtt"))) << failing.toStdString();
        EXPECT_FALSE(taro->log.contains("JumpEnd(-)"));
    }
}

TEST_F(CreatorTaroTest, NumbersAreTypedDecoratedThenStyled)
{
    OpenTemplate();
    EXPECT_EQ(Write(QuestionHead, "1"), (QStringList{"Insert(\"【1】\t\")", "ParagraphStyle(\"設問\")"}));
    EXPECT_EQ(Write(ItemNumber, "2"), (QStringList{"Insert(\"(2)\t\")", "ParagraphStyle(\"問題\")"}));
    EXPECT_EQ(Write(AnswerNumber, "12"), (QStringList{"Insert(\"(12)\t\")", "ParagraphStyle(\"解答\")"}));
    EXPECT_EQ(Write(PrintId, "3"), (QStringList{"Insert(\"3\")", "ParagraphStyle(\"プリントID\")"}));
}

TEST_F(CreatorTaroTest, TextCommandsUseTheLibrary)
{
    OpenTemplate();
    EXPECT_EQ(Write(NewParagraph), QStringList{"InsertReturn(-)"});
    EXPECT_EQ(Write(NewPage), QStringList{"InsertPage(-)"});
    EXPECT_EQ(Write(LineBreak), QStringList{"InsertReturn(1,2)"});
    EXPECT_EQ(Write(Text, "りんご"), QStringList{"Insert(\"りんご\")"});
    EXPECT_EQ(Write(UnderlinedText, "apple"),
        (QStringList{"InputDecoration(-,-,1,-,-,-,-,-,-,-,-,-,-)", "Insert(\"apple\")",
            "InputDecoration(-,-,0,-,-,-,-,-,-,-,-,-,-)"}));
    EXPECT_TRUE(Write(0, "x").isEmpty());
    EXPECT_TRUE(Write(13, "x").isEmpty());
}

TEST_F(CreatorTaroTest, SubscriptIsSizedAndTheSizeResetForLaterInput)
{
    OpenTemplate();
    EXPECT_EQ(Write(SubscriptText, "12"),
        (QStringList{"Insert(\"12\")", "SelectRangeStart(-)", "CursorLeft(2)", "CharacterSize(8)",
            "CancelSelectRange(-)", "EndOfLine(2)", "Insert(\"〓\")", "SelectRangeStart(-)", "CursorLeft(1)",
            "CharacterSize(0)", "CancelSelectRange(-)", "CursorRight(1)", "BackSpace(-)"}));
    EXPECT_TRUE(Write(SubscriptText, "").isEmpty());
}

TEST_F(CreatorTaroTest, ExternalCharacterIsTypedInItsFontAndTheFontRestored)
{
    OpenTemplate();
    taro->japaneseFont = QStringLiteral("游明朝");
    EXPECT_EQ(Write(ExternalChar, Gaiji),
        (QStringList{"GetCharacterAttribute(-)", "Attribute.Item(\"和文フォント名\")",
            "InputCharacter(\"Morvane Gaiji\")", "Insert(\"" + Gaiji + "\")", "InputCharacter(\"游明朝\")"}));
}

TEST_F(CreatorTaroTest, PageHeaderCopiesTheHeaderRowsToTheEnd)
{
    OpenTemplate(4);
    EXPECT_EQ(Write(PageHeader),
        (QStringList{"JumpStart(-)", "SelectRangeStart(2)", "Row(3)", "Clip(-)", "PointingMode(-)", "JumpEnd(-)",
            "Pointing(-)", "Paste(-)"}));
}

TEST_F(CreatorTaroTest, OneRowTemplateHasNoHeaderToCopyOrDelete)
{
    OpenTemplate(1);
    EXPECT_TRUE(Write(PageHeader).isEmpty());
    taro->log.clear();
    EXPECT_TRUE(creator.Complete());
    EXPECT_TRUE(taro->log.filter(QRegularExpression("^(Row|Delete|Clip|Paste)")).isEmpty());
    EXPECT_FALSE(taro->log.contains("JumpStart(-)"));
    EXPECT_TRUE(taro->log.contains("EnableAssist(1)"));
}

TEST_F(CreatorTaroTest, PlaceholdersAreReplacedFromTheStart)
{
    OpenTemplate();
    EXPECT_TRUE(creator.SetTitle(QStringLiteral("英単語テスト")));
    EXPECT_TRUE(creator.SetRange(QString()));
    EXPECT_EQ(taro->log,
        (QStringList{"JumpStart(-)", "ReplaceStringAll(\"@title\",\"英単語テスト\",1,0,0)", "JumpStart(-)",
            "ReplaceStringAll(\"@range\",\"\",1,0,0)"}));
}

TEST_F(CreatorTaroTest, VerticalWhenTheLayoutWritesTopToBottom)
{
    OpenTemplate();
    taro->writingDirection = 2;
    EXPECT_TRUE(creator.IsVertical());
    EXPECT_EQ(taro->log, (QStringList{"GetDocumentStyleLayout(-)", "Layout.Item(\"文字組\")"}));
    taro->writingDirection = 1;
    EXPECT_FALSE(creator.IsVertical());
}

TEST_F(CreatorTaroTest, DigitsInParenthesesGetHalfWidthParenthesesAndAreSetAcross)
{
    OpenTemplate();
    taro->matches = QStringList{"（12）", "（3）"};
    creator.MakeDigitsUpright();
    const QStringList expected = {"ReplaceStringAll(\"[\",\"［\",1,0,0)", "ReplaceStringAll(\"]\",\"］\",1,0,0)",
        "ReplaceStringAll(\"(\",\"（\",1,0,0)", "ReplaceStringAll(\")\",\"）\",1,0,0)", "JumpStart(-)",
        "SearchRegexp(\"（[0-9]+）\")", "GetString(-)", "Match.Item(1)", "Insert(\"(12)\")",
        "SearchRegexp(\"（[0-9]+）\")", "GetString(-)", "Match.Item(1)", "Insert(\"(3)\")",
        "SearchRegexp(\"（[0-9]+）\")", "CancelSelectRange(-)", "JumpStart(-)", "SelectAll(-)",
        "SelectSetTateChuYoko(1,0,4,0)", "CancelSelectRange(-)", "JumpStart(-)"};
    EXPECT_EQ(taro->log, expected);
}

TEST_F(CreatorTaroTest, CompleteRemovesTheHeaderRestoresTheOptionAndShows)
{
    OpenTemplate(4);
    EXPECT_TRUE(creator.Complete());
    const QStringList expected = {"JumpStart(-)", "SelectRangeStart(2)", "Row(3)", "Delete(-)",
        "GetOptionEnvironment(-)", "Options.Item(\"JW型ｷｰ割付\")=1", "OptionEnvironment(object)", "EnableAssist(1)",
        "App.Visible=true", "App.WindowState=0"};
    EXPECT_EQ(taro->log, expected);
    EXPECT_EQ(taro->keyAssignment, 1);

    // A presented document stays with the running application.
    taro->log.clear();
    creator.Finish();
    EXPECT_EQ(taro->log, QStringList{"WarningMode(1)"});
}

TEST_F(CreatorTaroTest, AbortClosesTheDocumentOnceAndFinishQuits)
{
    OpenTemplate();
    creator.Abort();
    creator.Finish();
    EXPECT_EQ(taro->log,
        (QStringList{"Doc.Close(3)", "WarningMode(1)", "GetOptionEnvironment(-)", "Options.Item(\"JW型ｷｰ割付\")=1",
            "OptionEnvironment(object)", "App.Quit(-)"}));
}

TEST_F(CreatorTaroTest, SuccessfulRunTalksToIchitaroInTheFixedOrder)
{
    taro->writingDirection = 2;
    ASSERT_TRUE(creator.Create(Commands({{PrintId, "1"}, {NewParagraph, ""}, {PageHeader, ""}}),
        QStringLiteral("/t/v.jtt"), QStringLiteral("T"), QStringLiteral("R")));
    const QStringList landmarks
        = taro->log.filter(QRegularExpression("^(OpenDocumentFile|Insert\\(\"1\"|Paste|ReplaceStringAll\\(\"@|"
                                              "SelectSetTateChuYoko|Delete|App\\.|Doc\\.|WarningMode)"));
    const QStringList expected
        = {"WarningMode(0)", "OpenDocumentFile(\"/t/v.jtt\")", "App.WindowState=2", "App.Visible=false",
            "App.ActiveDocument", "Insert(\"1\")", "Paste(-)", "ReplaceStringAll(\"@title\",\"T\",1,0,0)",
            "ReplaceStringAll(\"@range\",\"R\",1,0,0)", "ReplaceStringAll(\"@class\",\"\",1,0,0)",
            "SelectSetTateChuYoko(1,0,4,0)", "Delete(-)", "App.Visible=true", "App.WindowState=0", "WarningMode(1)"};
    EXPECT_EQ(landmarks.mid(1), expected); // after App.TaroLibrary
    EXPECT_EQ(taro->keyAssignment, 1);
    // No placeholder is left: each is searched for from the start.
    const qsizetype range = taro->log.indexOf("ReplaceStringAll(\"@class\",\"\",1,0,0)");
    EXPECT_EQ(taro->log.mid(range + 1, 8),
        (QStringList{"JumpStart(-)", "SearchRegexp(\"\\@title\")", "CancelSelectRange(-)", "JumpStart(-)",
            "JumpStart(-)", "SearchRegexp(\"\\@range\")", "CancelSelectRange(-)", "JumpStart(-)"}));
}

TEST_F(CreatorTaroTest, FailedRunClosesQuitsAndGivesTheSettingsBack)
{
    FailOn(QStringLiteral("InsertPage"));
    EXPECT_FALSE(
        creator.Create(Commands({{Text, "a"}, {NewPage, ""}, {Text, "b"}}), QStringLiteral("/t/a.jtt"), "", ""));
    const int failure = taro->log.indexOf("InsertPage(-)");
    ASSERT_GE(failure, 0);
    EXPECT_EQ(taro->log.mid(failure + 1),
        (QStringList{"Doc.Close(3)", "WarningMode(1)", "GetOptionEnvironment(-)", "Options.Item(\"JW型ｷｰ割付\")=1",
            "OptionEnvironment(object)", "App.Quit(-)"}));
    EXPECT_EQ(taro->keyAssignment, 1);
    EXPECT_EQ(taro->warningMode, Automation::Variant(1));
}

TEST_F(CreatorTaroTest, ApplicationOfARunThatFailsEarlyIsQuitAfterAPresentedRun)
{
    ASSERT_TRUE(creator.Create(Commands({{Text, "a"}}), QStringLiteral("/t/a.jtt"), "", ""));
    taro->hasLibrary = false;
    taro->log.clear();
    EXPECT_FALSE(creator.Create(Commands({{Text, "a"}}), QStringLiteral("/t/a.jtt"), "", ""));
    EXPECT_EQ(taro->log, (QStringList{"App.TaroLibrary", "App.Quit(-)"}));
}

TEST_F(CreatorTaroTest, FinishTriesEveryStepWhenOneFails)
{
    OpenTemplate();
    FailOn(QStringLiteral("Doc.Close"));
    EXPECT_THROW(creator.Finish(), Automation::AutomationError);
    EXPECT_EQ(taro->log.first(), "Doc.Close(-)");
    EXPECT_EQ(taro->log.last(), "App.Quit(-)");
    EXPECT_EQ(taro->keyAssignment, 1);

    // Nothing is held any more: a second Finish has nothing to do.
    taro->log.clear();
    creator.Finish();
    EXPECT_TRUE(taro->log.isEmpty());
}

TEST_F(CreatorTaroTest, UnknownNameEndsTheRun)
{
    taro->unknownNames = QStringList{"SelectSetTateChuYoko"};
    taro->writingDirection = 2;
    EXPECT_FALSE(creator.Create(Commands({{Text, "a"}}), QStringLiteral("/t/a.jtt"), "", ""));
    EXPECT_FALSE(taro->log.contains("App.Visible=true"));
    EXPECT_EQ(taro->log.last(), "App.Quit(-)");
}

TEST_F(CreatorTaroTest, AvailabilityIsProbedOnceByStartingAndQuitting)
{
    CreatorTaro::ForgetAvailability();
    EXPECT_TRUE(creator.IsAvailable());
    EXPECT_EQ(taro->log, (QStringList{"App.TaroLibrary", "App.Quit(-)"}));
    EXPECT_TRUE(creator.IsAvailable());
    EXPECT_EQ(registration.created, 1);

    CreatorTaro::ForgetAvailability();
    taro->hasLibrary = false;
    taro->log.clear();
    EXPECT_FALSE(creator.IsAvailable());
    EXPECT_EQ(taro->log, (QStringList{"App.TaroLibrary", "App.Quit(-)"}));

    CreatorTaro::ForgetAvailability();
    Automation::ClassRegistry::Unregister(QStringLiteral("JXW.Application"));
    EXPECT_FALSE(creator.IsAvailable());
    CreatorTaro::ForgetAvailability();
}
