#include "automation/AutomationError.h"
#include "automation/ClassRegistry.h"
#include "automation/WordApplication.h"

#include <gtest/gtest.h>

using Automation::AutomationError;
using Automation::ClassRegistry;

namespace {

class FakeApplication : public Word::_Application {
public:
    void Quit(const Automation::Variant&, const Automation::Variant&, const Automation::Variant&) override
    {
        quit = true;
    }
    bool GetVisible() override { return visible; }
    void PutVisible(bool v) override { visible = v; }
    int GetWindowState() override { return 0; }
    void PutWindowState(int) override { }
    int GetDisplayAlerts() override { return 0; }
    void PutDisplayAlerts(int) override { }
    std::shared_ptr<Word::Documents> GetDocuments() override { return nullptr; }
    std::shared_ptr<Word::Selection> GetSelection() override { return nullptr; }
    bool quit = false;
    bool visible = true;
};

class NotAnApplication : public Automation::Object { };

class ClassRegistryTest : public testing::Test {
protected:
    void TearDown() override
    {
        ClassRegistry::Unregister(QStringLiteral("Test.Fake"));
        ClassRegistry::Unregister(QStringLiteral("Test.Broken"));
    }
};

TEST_F(ClassRegistryTest, UnknownIdentifierGivesNoObject)
{
    EXPECT_FALSE(ClassRegistry::IsRegistered(QStringLiteral("Test.Nothing")));
    EXPECT_EQ(Automation::CreateObject(QStringLiteral("Test.Nothing")), nullptr);
    EXPECT_EQ(Automation::CreateObjectAs<Word::_Application>(QStringLiteral("Test.Nothing")), nullptr);
}

TEST_F(ClassRegistryTest, EachCreationMakesAFreshObjectOfTheRegisteredFactory)
{
    int made = 0;
    ClassRegistry::Register(QStringLiteral("Test.Fake"), [&made] {
        ++made;
        return std::make_shared<FakeApplication>();
    });
    ASSERT_TRUE(ClassRegistry::IsRegistered(QStringLiteral("Test.Fake")));
    auto a = Automation::CreateObjectAs<Word::_Application>(QStringLiteral("Test.Fake"));
    auto b = Automation::CreateObjectAs<Word::_Application>(QStringLiteral("Test.Fake"));
    ASSERT_NE(a, nullptr);
    EXPECT_NE(a, b);
    EXPECT_EQ(made, 2);
    a->Quit();
    EXPECT_TRUE(std::static_pointer_cast<FakeApplication>(a)->quit);

    ClassRegistry::Unregister(QStringLiteral("Test.Fake"));
    EXPECT_EQ(Automation::CreateObject(QStringLiteral("Test.Fake")), nullptr);
}

TEST_F(ClassRegistryTest, ObjectWithoutTheInterfaceRaisesNoInterface)
{
    ClassRegistry::Register(QStringLiteral("Test.Fake"), [] { return std::make_shared<NotAnApplication>(); });
    try {
        Automation::CreateObjectAs<Word::_Application>(QStringLiteral("Test.Fake"));
        FAIL() << "no error raised";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Code(), AutomationError::NoInterface);
        EXPECT_EQ(e.InterfaceId(), QStringLiteral("{00020970-0000-0000-C000-000000000046}"));
    }
}

TEST_F(ClassRegistryTest, FactoryFailurePassesThroughAsAutomationError)
{
    ClassRegistry::Register(QStringLiteral("Test.Broken"), []() -> Automation::ObjectPtr {
        throw AutomationError(AutomationError::ServerExecFailure, QString::fromLatin1(Word::_Application::Iid),
            QStringLiteral("did not start"));
    });
    try {
        Automation::CreateObject(QStringLiteral("Test.Broken"));
        FAIL() << "no error raised";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Code(), static_cast<int>(0x80080005u));
        EXPECT_STREQ(e.what(), "Automation error 0x80080005 on {00020970-0000-0000-C000-000000000046}: did not start");
    }
}

} // namespace
