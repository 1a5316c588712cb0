#include "OfficeTestSupport.h"

#include "automation/AutomationError.h"
#include "automation/ClassRegistry.h"
#include "automation/WordConstants.h"
#include "automation/office/OfficeBackends.h"
#include "automation/office/OfficeSession.h"

#include <gtest/gtest.h>

#include <csignal>

using Automation::AutomationError;
using namespace OfficeTest;

namespace {

TEST(OfficeSessionTest, ProbeStartsTheOfficeAndQuitEndsIt)
{
    auto session = Office::OfficeSession::Shared();
    const int startsBefore = session->StartCount();

    auto word = NewWord();
    ASSERT_NE(word, nullptr);
    EXPECT_TRUE(session->StartedOffice());
    const pid_t group = session->LauncherPid();
    EXPECT_TRUE(ProcessGroupAlive(group));
    EXPECT_EQ(session->StartCount(), startsBefore + 1);

    word->Quit();
    EXPECT_FALSE(session->IsAlive());
    EXPECT_FALSE(ProcessGroupAlive(group));
    EXPECT_THROW(word->GetDocuments(), AutomationError);

    // The next application starts a fresh office.
    auto again = NewWord();
    ASSERT_NE(again, nullptr);
    EXPECT_NE(session->LauncherPid(), group);
    EXPECT_EQ(session->StartCount(), startsBefore + 2);
    again->Quit();
}

TEST(OfficeSessionTest, QuitKeepsAnOfficeThatStillShowsAnotherApplicationsDocument)
{
    auto session = Office::OfficeSession::Shared();
    auto teachers = NewWord();
    teachers->GetDocuments()->Add(HorizontalTemplate());
    teachers->PutVisible(true);

    auto probe = NewWord();
    probe->Quit();
    EXPECT_TRUE(session->IsAlive()); // the first document is still open

    teachers->Quit();
    EXPECT_FALSE(session->IsAlive());
}

TEST(OfficeSessionTest, KilledOfficeIsNoticedAndTheNextUseStartsAFreshOne)
{
    auto session = Office::OfficeSession::Shared();
    auto word = NewWord();
    auto document = word->GetDocuments()->Add(HorizontalTemplate());
    auto selection = word->GetSelection();
    const pid_t group = session->LauncherPid();

    ::kill(-group, SIGKILL);
    for (int i = 0; i < 100 && ProcessGroupAlive(group); ++i)
        usleep(20000);

    // Typing may be held back until something needs the office; the end
    // of a process just killed may not have been seen yet when it is typed.
    // The move after it needs the office, so it cannot succeed.
    try {
        selection->TypeText(QStringLiteral("x"));
        selection->HomeKey(Word::wdStory);
        FAIL() << "a call into a dead office succeeded";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Code(), AutomationError::Disconnected);
        EXPECT_EQ(e.InterfaceId(), QString::fromLatin1(Word::Selection::Iid));
    }
    EXPECT_FALSE(session->IsAlive());

    auto fresh = NewWord();
    auto freshDocument = fresh->GetDocuments()->Add(HorizontalTemplate());
    fresh->GetSelection()->TypeText(QStringLiteral("ok"));
    EXPECT_NE(session->LauncherPid(), group);
    EXPECT_TRUE(Writer(freshDocument)->Story().startsWith(QStringLiteral("ok@title")));

    // The application of the dead office counts its old document as
    // closed and goes on with a new one.
    EXPECT_TRUE(Writer(document)->IsClosed());
    word->GetDocuments()->Add(HorizontalTemplate());
    word->GetSelection()->TypeText(QStringLiteral("on"));
    word->PutVisible(true);
    word->Quit();
    fresh->Quit();
}

TEST(OfficeSessionTest, AnOfficeLeftRunningByAnEarlierRunIsReachedAgainAndEnded)
{
    const auto options = Office::OfficeSession::Shared()->GetOptions();
    auto earlier = std::make_shared<Office::OfficeSession>(options);
    earlier->Desktop(Word::_Application::Iid);
    const pid_t group = earlier->LauncherPid();
    earlier->Detach(); // as when the teacher's documents stay open at exit

    Office::OfficeSession later(options);
    later.Desktop(Word::_Application::Iid);
    EXPECT_FALSE(later.StartedOffice());
    EXPECT_TRUE(later.IsAlive());
    EXPECT_TRUE(ProcessGroupAlive(group));

    later.Terminate();
    for (int i = 0; i < 250 && ProcessGroupAlive(group); ++i)
        usleep(20000);
    EXPECT_FALSE(ProcessGroupAlive(group));
}

TEST(OfficeSessionTest, AnOfficeStartedInTheBackgroundIsTheOneTheFirstUseReaches)
{
    const auto options = Office::OfficeSession::Shared()->GetOptions();
    Office::OfficeSession session(options);
    session.StartInBackground();
    const pid_t group = session.LauncherPid();
    ASSERT_GT(group, 0);
    EXPECT_FALSE(session.IsAlive()); // launched, not waited for
    session.StartInBackground();     // a launch under way is not repeated
    EXPECT_EQ(session.LauncherPid(), group);

    session.Desktop(Word::_Application::Iid);
    EXPECT_TRUE(session.StartedOffice());
    EXPECT_EQ(session.LauncherPid(), group);
    EXPECT_EQ(session.StartCount(), 1);
    session.Terminate();

    // Never used: the program's end ends it at once.
    Office::OfficeSession unused(options);
    unused.StartInBackground();
    const pid_t unusedGroup = unused.LauncherPid();
    ASSERT_GT(unusedGroup, 0);
    unused.Release();
    EXPECT_FALSE(ProcessGroupAlive(unusedGroup));
}

TEST(OfficeSessionTest, AvailabilityIsKnownWithoutStartingTheOffice)
{
    ASSERT_TRUE(Office::RegisterBackends());
    auto session = Office::OfficeSession::Shared();
    const int startsBefore = session->StartCount();
    EXPECT_EQ(Automation::ClassRegistry::Availability(QStringLiteral("Word.Application")), std::optional<bool>(true));
    EXPECT_EQ(Automation::ClassRegistry::Availability(QStringLiteral("JXW.Application")), std::optional<bool>(true));
    EXPECT_EQ(
        Automation::ClassRegistry::Availability(QStringLiteral("Word.Application.8")), std::optional<bool>(false));
    EXPECT_EQ(session->StartCount(), startsBefore);
}

TEST(OfficeSessionTest, FailuresNameTheInterfaceThatFailed)
{
    auto word = NewWord();
    try {
        word->GetSelection();
        FAIL() << "a selection without a document";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.InterfaceId(), QString::fromLatin1(Word::_Application::Iid));
    }
    try {
        word->GetDocuments()->Add(TemplatePath(QStringLiteral("どこにもない.dot")));
        FAIL() << "a missing template was opened";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.InterfaceId(), QString::fromLatin1(Word::Documents::Iid));
        EXPECT_TRUE(e.Description().contains(QStringLiteral("どこにもない.dot")));
    }
    word->GetDocuments()->Add(HorizontalTemplate());
    try {
        word->GetSelection()->GetParagraphFormat()->PutStyle(QStringLiteral("存在しない様式"));
        FAIL() << "an unknown style was accepted";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.InterfaceId(), QString::fromLatin1(Word::_ParagraphFormat::Iid));
        EXPECT_TRUE(e.Description().contains(QStringLiteral("存在しない様式")));
    }
    word->Quit();
}

TEST(OfficeSessionTest, UnregisteredIdentifierGivesNoApplication)
{
    EXPECT_EQ(Automation::CreateObject(QStringLiteral("Word.Application.8")), nullptr);
    EXPECT_TRUE(Automation::ClassRegistry::IsRegistered(QStringLiteral("Word.Application")));
}

} // namespace
