// Ichitaro's library calls against a real (headless) office: rows,
// selections, deleting, copying, searching, the horizontal-in-vertical
// runs and the option environment.
#include "DocumentLines.h"

#include "automation/AutomationError.h"
#include "automation/ClassRegistry.h"
#include "automation/UnknownNameError.h"
#include "automation/office/OfficeSession.h"
#include "automation/office/TaroApplication.h"
#include "automation/office/TaroDocument.h"
#include "automation/office/TaroEditor.h"
#include "automation/office/TaroLibrary.h"
#include "automation/office/WriterDocument.h"

#include <gtest/gtest.h>

using Automation::Dispatch;
using Automation::DispatchPtr;
using Automation::Variant;
using namespace OfficeTest;

namespace {

const Variant Omitted = Variant::Missing();

class TaroLibraryTest : public testing::Test {
protected:
    void SetUp() override
    {
        application = Automation::CreateObjectAs<Dispatch>(QStringLiteral("JXW.Application"));
        ASSERT_NE(application, nullptr);
        library = Automation::ToDispatch(application->Get("TaroLibrary"));
        ASSERT_NE(library, nullptr);
    }

    // Documents are closed rather than the application quit, so that the
    // office keeps running from one test to the next.
    void TearDown() override
    {
        if (const DispatchPtr document = Automation::ToDispatch(application->Get("ActiveDocument")))
            document->Call("Close", {3});
    }

    void Open(const QString& path = TemplatePath(QStringLiteral("横書き標準.jtt")))
    {
        library->Call("OpenDocumentFile", {path});
        ASSERT_NE(Automation::ToDispatch(application->Get("ActiveDocument")), nullptr);
    }

    std::shared_ptr<Word::_Document> Writer()
    {
        auto taro = std::dynamic_pointer_cast<Office::TaroApplication>(application);
        return taro->ActiveDocument()->Writer();
    }

    QStringList Texts()
    {
        QStringList texts;
        for (const Line& line : Lines(Writer()))
            texts << line.text;
        return texts;
    }

    int Call(const QString& name, Dispatch::Arguments args = {Omitted})
    {
        return library->Call(name, std::move(args)).ToInt();
    }

    DispatchPtr application;
    DispatchPtr library;
};

TEST_F(TaroLibraryTest, RowsAreParagraphsAndTheHeaderRowsGoWhole)
{
    Open();
    Call("JumpEnd");
    EXPECT_EQ(Call("GetRow"), 4);
    Call("JumpStart");
    EXPECT_EQ(Call("GetRow"), 1);

    Call("JumpEnd");
    Call("Insert", {"1"});
    Call("ParagraphStyle", {"プリントID"});
    Call("JumpStart");
    Call("SelectRangeStart", {2});
    Call("Row", {3});
    Call("Delete");
    const std::vector<Line> lines = Lines(Writer());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], (Line{QStringLiteral("プリントID"), QStringLiteral("1")}));

    // A move past the last row ends at the document's end.
    Call("JumpStart");
    Call("Row", {5});
    Call("Insert", {"9"});
    EXPECT_EQ(Texts(), QStringList{"19"});
}

TEST_F(TaroLibraryTest, DeleteAndBackSpaceWithoutSelectionTakeOneCharacter)
{
    Open();
    Call("JumpEnd");
    Call("Insert", {"abcd"});
    Call("CursorLeft", {2});
    Call("Delete");
    EXPECT_EQ(Texts().last(), "abd");
    Call("BackSpace");
    EXPECT_EQ(Texts().last(), "ad");
    Call("EndOfLine", {2});
    Call("Insert", {"e"});
    EXPECT_EQ(Texts().last(), "ade");
}

TEST_F(TaroLibraryTest, PasteAfterCopyingNothingInsertsNothing)
{
    Open();
    Call("JumpStart");
    Call("SelectRangeStart", {2});
    Call("Row", {1});
    Call("Clip");
    Call("PointingMode");
    Call("JumpEnd");
    Call("Pointing");
    Call("Paste");
    EXPECT_EQ(Texts().size(), 5);
    EXPECT_EQ(Texts().at(3), "@title");

    Call("JumpStart");
    Call("SelectRangeStart", {2});
    Call("Row", {0});
    Call("Clip");
    Call("CancelSelectRange");
    Call("JumpEnd");
    Call("Paste");
    EXPECT_EQ(Texts().size(), 5);
}

TEST_F(TaroLibraryTest, RegularExpressionSearchSelectsEachMatchInTurn)
{
    Open();
    library->Call("ReplaceStringAll", {"@title", "（1）x（23）", 1, 0, 0});
    EXPECT_EQ(Call("ReplaceStringAll", {"(", "[", 1, 0, 0}), 0); // widths are told apart
    Call("JumpStart");
    QStringList found;
    while (Call("SearchRegexp", {"（[0-9]+）"}) != 0) {
        const DispatchPtr match = Automation::ToDispatch(library->Call("GetString", {Omitted}));
        found << match->Call("Item", {1}).ToString();
        Call("Insert", {found.last().mid(1, found.last().size() - 2)});
    }
    EXPECT_EQ(found, (QStringList{"（1）", "（23）"}));
    EXPECT_EQ(Texts().first(), "1x23");
}

// Steps collected and taken by the office's routines end as each step sent
// on its own: moves over surrogate pairs to a line's end, typing
// attributes and what a backspace leaves of them, sizes, styles, page
// breaks, deleting, and searches replacing as they go, one anchored to the
// paragraph's start (not looked ahead) and one looked ahead.
TEST_F(TaroLibraryTest, StepsTakenByTheOfficesRoutinesGiveWhatEachStepOnItsOwnGives)
{
    const auto underline = [](int on) {
        Dispatch::Arguments args(13, Omitted);
        args[2] = on;
        return args;
    };
    const auto session = Office::OfficeSession::Shared();
    std::vector<std::shared_ptr<Word::_Document>> documents;
    std::vector<QStringList> found;
    for (const bool routines : {false, true}) {
        session->SetRoutinesAllowed(routines);
        library->Call("OpenDocumentFile", {TemplatePath(QStringLiteral("横書き標準.jtt"))});
        Call("JumpEnd");
        Call("Insert", {"a𠮷𠮷b"});
        Call("InsertReturn", {1, 2});
        Call("Insert", {"c"});
        Call("CursorLeft", {5});
        Call("EndOfLine");
        Call("Insert", {"!"});
        Call("SelectRangeStart");
        Call("CursorLeft", {2});
        Call("CharacterSize", {8});
        Call("CancelSelectRange");
        Call("JumpEnd");
        library->Call("InputDecoration", underline(1));
        Call("Insert", {"u"});
        Call("InputCharacter", {"Morvane Gaiji"});
        Call("Insert", {"g"});
        library->Call("InputDecoration", underline(0));
        Call("Insert", {"n"});
        Call("BackSpace");
        Call("Insert", {"N"});
        Call("InsertReturn");
        Call("ParagraphStyle", {"設問"});
        Call("Insert", {"aab"});
        Call("InsertReturn");
        Call("Insert", {"ab"});
        Call("InsertPage");
        Call("Insert", {"xbbx"});
        Call("SelectRangeStart");
        Call("CursorLeft", {1});
        Call("Delete");
        Call("CharacterSize", {12});
        Call("Insert", {"big"});
        Call("JumpStart");
        for (int i = 0; i < 20 && Call("SearchRegexp", {"^a"}) != 0; ++i)
            Call("Insert", {""});
        Call("JumpStart");
        QStringList matches;
        for (int i = 0; i < 20 && Call("SearchRegexp", {"b+"}) != 0; ++i) {
            matches << Automation::ToDispatch(library->Call("GetString", {Omitted}))->Call("Item", {1}).ToString();
            Call("Insert", {"B"});
        }
        // Rows up and down, and past the last; the row counted.
        Call("Row", {-2});
        Call("Insert", {"u"});
        matches << QString::number(Call("GetRow"));
        Call("Row", {1});
        Call("Insert", {"d"});
        Call("Row", {99});
        Call("Insert", {"e"});
        matches << QString::number(Call("GetRow"));
        found.push_back(matches);
        documents.push_back(Writer());
    }
    session->SetRoutinesAllowed(true);
    ExpectSameDocument(documents[0], documents[1]);
    EXPECT_EQ(found[1], found[0]);
    EXPECT_EQ(found[1], (QStringList{"b", "b", "b", "bbb", "5", "7"}));
    const QStringList texts = Texts();
    EXPECT_EQ(texts.mid(texts.size() - 4), (QStringList{QStringLiteral("𠮷𠮷B!\ncugN"), "uB", "dB", "xBige"}));
    // The document made first is closed by TearDown.
    Automation::ToDispatch(application->Get("ActiveDocument"))->Call("Close", {3});
}

TEST_F(TaroLibraryTest, UnknownNamesAndCallsAfterQuitRaiseErrors)
{
    Open();
    EXPECT_THROW(library->Call("InsertTable"), Automation::UnknownNameError);
    EXPECT_THROW(library->Call("ParagraphStyle", {"見出し9"}), Automation::AutomationError);

    auto other = Automation::CreateObjectAs<Dispatch>(QStringLiteral("JXW.Application"));
    other->Call("Quit", {Omitted});
    EXPECT_THROW(other->Get("TaroLibrary"), Automation::AutomationError);
}

TEST_F(TaroLibraryTest, OptionsOutliveTheApplicationObject)
{
    const DispatchPtr environment = Automation::ToDispatch(library->Call("GetOptionEnvironment", {Omitted}));
    EXPECT_EQ(environment->Call("Item", {"JW型ｷｰ割付"}).ToInt(), 0);
    environment->Put("Item", {"JW型ｷｰ割付"}, 1);
    EXPECT_EQ(Office::TaroLibrary::Option("JW型ｷｰ割付").ToInt(), 0); // not applied yet
    library->Call("OptionEnvironment", {Variant(std::static_pointer_cast<Automation::Object>(environment))});

    auto other = Automation::CreateObjectAs<Dispatch>(QStringLiteral("JXW.Application"));
    const DispatchPtr otherLibrary = Automation::ToDispatch(other->Get("TaroLibrary"));
    EXPECT_EQ(Automation::ToDispatch(otherLibrary->Call("GetOptionEnvironment", {Omitted}))
                  ->Call("Item", {"JW型ｷｰ割付"})
                  .ToInt(),
        1);
    EXPECT_THROW(environment->Call("Item", {"存在しない"}), Automation::AutomationError);
    Office::TaroLibrary::SetOption("JW型ｷｰ割付", 0);
}

TEST(TaroUprightRunsTest, HalfWidthDigitRunsUpToTheLongest)
{
    using Runs = std::vector<std::pair<int, int>>;
    const auto runs = [](const QString& text, bool letters = false, int longest = 4) {
        return Office::TaroEditor::UprightRuns(text, letters, longest);
    };
    EXPECT_EQ(runs("(12)"), (Runs{{0, 4}}));
    EXPECT_EQ(runs("x12y3"), (Runs{{1, 3}, {4, 5}}));
    EXPECT_EQ(runs("（a1）"), (Runs{{2, 3}}));
    EXPECT_EQ(runs("a1", true), (Runs{{0, 2}}));
    EXPECT_EQ(runs("(123)"), Runs{});
    EXPECT_EQ(runs("(123)", false, 0), (Runs{{0, 5}}));
    EXPECT_EQ(runs("１２ (-) 3"), (Runs{{7, 8}}));
}

} // namespace
