#include "automation/AutomationError.h"
#include "print/Creator.h"
#include "quiz/CreatorRegistry.h"

#include <QCoreApplication>
#include <QStringList>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace Print;

namespace {

class LoggingClipboard : public ClipboardBackup {
public:
    explicit LoggingClipboard(QStringList& log)
        : m_log(log)
    {
    }
    bool Save() override
    {
        m_log << QStringLiteral("clipboard saved");
        return true;
    }
    bool Restore() override
    {
        m_log << QStringLiteral("clipboard restored");
        return true;
    }

private:
    QStringList& m_log;
};

// Logs every step; commands whose text is "fail" report failure, "throw"
// throws, "post" posts an event that logs when it is processed.
class RecordingCreator : public Creator {
public:
    QStringList log;
    bool openResult = true;
    bool titleResult = true;
    bool rangeResult = true;
    bool completeResult = true;
    bool vertical = false;
    bool finishThrows = false;
    QStringList held; // what the document still holds after the replacements
    std::function<void()> onWrite;

    RecordingCreator()
    {
        SetClipboardBackupFactory([this] { return std::make_unique<LoggingClipboard>(log); });
    }

    bool CanCreate() const override { return true; }
    bool IsAvailable() override { return true; }

protected:
    void Finish() override
    {
        log << QStringLiteral("Finish");
        if (finishThrows)
            throw std::runtime_error("application gone");
    }
    bool Open(const QString& templatePath) override
    {
        log << QStringLiteral("Open ") + templatePath;
        return openResult;
    }
    bool WriteCommand(const Cmd& command) override
    {
        log << QStringLiteral("Write %1 %2").arg(command.kind).arg(command.text);
        if (onWrite)
            onWrite();
        if (command.text == QLatin1String("throw"))
            throw std::runtime_error("automation failed");
        if (command.text == QLatin1String("throw int"))
            throw 42;
        if (command.text == QLatin1String("throw style"))
            throw Automation::AutomationError(Automation::AutomationError::Fail, QStringLiteral("x"))
                .WithFault(
                    Automation::AutomationError::DocumentFault::MissingParagraphStyle, QStringLiteral("プリントID"));
        if (command.text == QLatin1String("post")) {
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [this] { log << QStringLiteral("event"); }, Qt::QueuedConnection);
        }
        return command.text != QLatin1String("fail");
    }
    void Abort() override { log << QStringLiteral("Abort"); }
    bool SetTitle(const QString& title) override
    {
        log << QStringLiteral("SetTitle ") + title;
        return titleResult;
    }
    bool SetRange(const QString& rangeText) override
    {
        log << QStringLiteral("SetRange ") + rangeText;
        return rangeResult;
    }
    bool Complete() override
    {
        log << QStringLiteral("Complete");
        return completeResult;
    }
    bool IsVertical() override
    {
        log << QStringLiteral("IsVertical");
        return vertical;
    }
    void MakeDigitsUpright() override { log << QStringLiteral("MakeDigitsUpright"); }
    bool Holds(const QString& text) override
    {
        log << QStringLiteral("Holds ") + text;
        return held.contains(text);
    }
};

CmdList Commands(const QStringList& texts)
{
    CmdList commands;
    for (const QString& text : texts)
        commands.push_back(std::make_shared<Cmd>(Cmd{Text, text}));
    return commands;
}

bool RunPrint(RecordingCreator& creator, const QStringList& texts)
{
    return creator.Create(
        Commands(texts), QStringLiteral("a.dot"), QStringLiteral("単語テスト"), QStringLiteral("p.1-5"));
}

} // namespace

TEST(Creator, SuccessfulRunFollowsTheFixedOrder)
{
    RecordingCreator creator;
    EXPECT_TRUE(RunPrint(creator, {QStringLiteral("x"), QStringLiteral("y")}));
    const QStringList expected
        = {"clipboard saved", "Open a.dot", "Write 7 x", "Write 7 y", "SetTitle 単語テスト", "SetRange p.1-5",
            "Holds @title", "Holds @range", "Holds @class", "IsVertical", "Complete", "clipboard restored", "Finish"};
    EXPECT_EQ(creator.log, expected);
}

TEST(Creator, VerticalDocumentGetsUprightDigitsBeforeCompletion)
{
    RecordingCreator creator;
    creator.vertical = true;
    EXPECT_TRUE(RunPrint(creator, {}));
    const QStringList expected
        = {"clipboard saved", "Open a.dot", "SetTitle 単語テスト", "SetRange p.1-5", "Holds @title", "Holds @range",
            "Holds @class", "IsVertical", "MakeDigitsUpright", "Complete", "clipboard restored", "Finish"};
    EXPECT_EQ(creator.log, expected);
}

TEST(Creator, FailedCommandStillWritesTheRestThenAborts)
{
    RecordingCreator creator;
    EXPECT_FALSE(RunPrint(creator, {QStringLiteral("a"), QStringLiteral("fail"), QStringLiteral("c")}));
    const QStringList expected = {"clipboard saved", "Open a.dot", "Write 7 a", "Write 7 fail", "Write 7 c", "Abort",
        "clipboard restored", "Finish"};
    EXPECT_EQ(creator.log, expected);
}

// The half-made document of a run ended by an error is discarded too, not
// handed to the teacher with its marks still in it.
TEST(Creator, ExceptionEndsTheRunAndDiscardsTheDocument)
{
    for (const QString& thrown :
        {QStringLiteral("throw"), QStringLiteral("throw int"), QStringLiteral("throw style")}) {
        RecordingCreator creator;
        EXPECT_FALSE(RunPrint(creator, {QStringLiteral("a"), thrown, QStringLiteral("c")}));
        const QStringList expected = {
            "clipboard saved", "Open a.dot", "Write 7 a", "Write 7 " + thrown, "Abort", "clipboard restored", "Finish"};
        EXPECT_EQ(creator.log, expected);
    }
}

// A template fault the word processor reports becomes the run's reason,
// the line under 606; a failure without one adds no line.
TEST(Creator, TemplateFaultBecomesTheReasonOfTheFailure)
{
    RecordingCreator style;
    EXPECT_FALSE(RunPrint(style, {QStringLiteral("throw style")}));
    EXPECT_EQ(style.LastFailure().cause, RunFailure::Cause::MissingStyle);
    EXPECT_EQ(style.LastFailure().Message(),
        QStringLiteral("プリントデータの作成に失敗しました。\n雛形に段落スタイル「プリントID」がありません。"));

    RecordingCreator plain;
    EXPECT_FALSE(RunPrint(plain, {QStringLiteral("throw")}));
    EXPECT_EQ(plain.LastFailure().Message(), QStringLiteral("プリントデータの作成に失敗しました。"));

    // The next run starts without the last one's reason.
    EXPECT_TRUE(RunPrint(style, {QStringLiteral("a")}));
    EXPECT_EQ(style.LastFailure().cause, RunFailure::Cause::None);
}

TEST(Creator, FailedOpenNeitherWritesNorAborts)
{
    RecordingCreator creator;
    creator.openResult = false;
    EXPECT_FALSE(RunPrint(creator, {QStringLiteral("a")}));
    const QStringList expected = {"clipboard saved", "Open a.dot", "clipboard restored", "Finish"};
    EXPECT_EQ(creator.log, expected);
}

TEST(Creator, FailedPlaceholderOrCompletionAborts)
{
    RecordingCreator title;
    title.titleResult = false;
    EXPECT_FALSE(RunPrint(title, {}));
    EXPECT_EQ(title.log,
        (QStringList{"clipboard saved", "Open a.dot", "SetTitle 単語テスト", "Abort", "clipboard restored", "Finish"}));

    RecordingCreator range;
    range.rangeResult = false;
    EXPECT_FALSE(RunPrint(range, {}));
    EXPECT_EQ(range.log.mid(3, 2), (QStringList{"SetRange p.1-5", "Abort"}));
    EXPECT_FALSE(range.log.contains("IsVertical"));

    RecordingCreator complete;
    complete.completeResult = false;
    EXPECT_FALSE(RunPrint(complete, {}));
    EXPECT_EQ(complete.log.mid(8), (QStringList{"Complete", "Abort", "clipboard restored", "Finish"}));
}

TEST(Creator, PlaceholderLeftAfterItsReplacementFailsTheRun)
{
    RecordingCreator clean;
    EXPECT_TRUE(RunPrint(clean, {}));
    EXPECT_EQ(clean.log.mid(4, 4), (QStringList{"Holds @title", "Holds @range", "Holds @class", "IsVertical"}));

    RecordingCreator left;
    left.held = QStringList{QStringLiteral("@range")};
    EXPECT_FALSE(RunPrint(left, {}));
    EXPECT_EQ(left.log.mid(4), (QStringList{"Holds @title", "Holds @range", "Abort", "clipboard restored", "Finish"}));
    EXPECT_EQ(left.LastFailure().Reason(), QStringLiteral("雛形の「@range」を置き換えられませんでした。"));

    // A title that says "@Title" itself leaves it in the document on purpose.
    RecordingCreator meant;
    meant.held = QStringList{QStringLiteral("@title")};
    EXPECT_TRUE(meant.Create({}, QStringLiteral("a.dot"), QStringLiteral("@Title test"), QString()));
    EXPECT_FALSE(meant.log.contains("Holds @title"));
}

TEST(Creator, FinishThatThrowsFailsTheRunWithTheClipboardRestored)
{
    RecordingCreator creator;
    creator.finishThrows = true;
    EXPECT_FALSE(RunPrint(creator, {QStringLiteral("a")}));
    EXPECT_EQ(creator.log.mid(creator.log.size() - 2), (QStringList{"clipboard restored", "Finish"}));
}

TEST(Creator, PendingEventsAreProcessedBetweenCommands)
{
    RecordingCreator creator;
    EXPECT_TRUE(RunPrint(creator, {QStringLiteral("post"), QStringLiteral("b")}));
    const int event = creator.log.indexOf("event");
    ASSERT_NE(event, -1);
    EXPECT_EQ(creator.log.at(event - 1), "Write 7 post");
    EXPECT_EQ(creator.log.at(event + 1), "Write 7 b");
}

TEST(Creator, RunStartedFromWithinARunIsRefused)
{
    RecordingCreator creator;
    bool nestedResult = true;
    creator.onWrite = [&] {
        creator.onWrite = nullptr;
        nestedResult = RunPrint(creator, {QStringLiteral("nested")});
    };
    EXPECT_TRUE(RunPrint(creator, {QStringLiteral("a")}));
    EXPECT_FALSE(nestedResult);
    EXPECT_FALSE(creator.log.contains("Write 7 nested"));
    EXPECT_EQ(creator.log.count("Open a.dot"), 1);

    // The creator is usable again once the run is over.
    creator.log.clear();
    EXPECT_TRUE(RunPrint(creator, {QStringLiteral("again")}));
}

TEST(Creator, WithoutClipboardFactoryTheRunStillWorks)
{
    RecordingCreator creator;
    creator.SetClipboardBackupFactory(nullptr);
    EXPECT_TRUE(RunPrint(creator, {QStringLiteral("a")}));
    EXPECT_FALSE(creator.log.contains("clipboard saved"));
}

TEST(Creator, DecoratesNumbersByKind)
{
    EXPECT_EQ(Creator::Decorate(QuestionHead, "3"), QStringLiteral("【3】"));
    EXPECT_EQ(Creator::Decorate(ItemNumber, "1"), QStringLiteral("(1)"));
    EXPECT_EQ(Creator::Decorate(AnswerNumber, "12"), QStringLiteral("(12)"));
    EXPECT_EQ(Creator::Decorate(Text, "x"), QStringLiteral("x"));
    EXPECT_EQ(Creator::Decorate(PrintId, "2"), QStringLiteral("2"));
}

TEST(Creator, StyleNamesByKind)
{
    EXPECT_EQ(Creator::StyleName(QuestionHead), QStringLiteral("設問"));
    EXPECT_EQ(Creator::StyleName(ItemNumber), QStringLiteral("問題"));
    EXPECT_EQ(Creator::StyleName(AnswerNumber), QStringLiteral("解答"));
    EXPECT_EQ(Creator::StyleName(PrintId), QStringLiteral("プリントID"));
    EXPECT_EQ(Creator::StyleName(NewParagraph), QStringLiteral("標準"));
    EXPECT_EQ(Creator::StyleName(0), QStringLiteral("標準"));
}

namespace {
class FixedCreator : public RecordingCreator {
public:
    explicit FixedCreator(bool available)
        : m_available(available)
    {
    }
    bool IsAvailable() override { return m_available; }

private:
    bool m_available;
};
} // namespace

TEST(CreatorRegistry, AvailableTypesAreTheOrOfAvailableCreators)
{
    CreatorRegistry registry;
    EXPECT_EQ(registry.AvailableTypes(), 0);
    registry.Register(1, std::make_shared<FixedCreator>(true));
    registry.Register(2, std::make_shared<FixedCreator>(false));
    EXPECT_EQ(registry.AvailableTypes(), 1);
    registry.Register(2, std::make_shared<FixedCreator>(true));
    EXPECT_EQ(registry.AvailableTypes(), 3);
    EXPECT_NE(registry.Find(2), nullptr);
    EXPECT_EQ(registry.Find(4), nullptr);
}

TEST(CreatorRegistry, ChoosesTheStoredTypeOnlyWhenAvailable)
{
    EXPECT_EQ(CreatorRegistry::ChooseType(2, 3), 2);
    EXPECT_EQ(CreatorRegistry::ChooseType(2, 1), 1);
    EXPECT_EQ(CreatorRegistry::ChooseType(0, 3), 1);
    EXPECT_EQ(CreatorRegistry::ChooseType(0, 2), 2);
    EXPECT_EQ(CreatorRegistry::ChooseType(3, 2), 2); // not a type of its own
    EXPECT_EQ(CreatorRegistry::ChooseType(-1, 2), 2);
    EXPECT_EQ(CreatorRegistry::ChooseType(4, 6), 2); // no word processor of ours
    EXPECT_EQ(CreatorRegistry::ChooseType(4, 4), 0);
    EXPECT_EQ(CreatorRegistry::ChooseType(1, 0), 0);
}
