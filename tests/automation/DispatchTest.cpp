#include "automation/NamedDispatch.h"
#include "automation/UnknownNameError.h"

#include <gtest/gtest.h>
#include <map>
#include <stdexcept>

using namespace Automation;

namespace {

// A small object: a counter method, a keyed Item property, a read-only
// Name, a member that fails and one that writes into its argument.
class Sample : public NamedDispatch {
public:
    Sample()
    {
        AddMethod("Count", [this](Arguments& args) {
            const Variant step = Arg(args, 0);
            count += step.IsMissing() ? 1 : step.ToInt();
            return Variant(count);
        });
        AddProperty(
            "Item", [this](Arguments& args) { return Variant(items[Arg(args, 0).ToString()]); },
            [this](Arguments& args) { items[args.at(0).ToString()] = args.at(1).ToInt(); });
        AddProperty("Name", [](Arguments&) { return Variant("sample"); });
        AddMethod("Broken", [](Arguments&) -> Variant { throw std::runtime_error("disk full"); });
        AddMethod("Swap", [](Arguments& args) {
            std::swap(args.at(0), args.at(1));
            return Variant();
        });
    }
    int count = 0;
    std::map<QString, int> items;
};

TEST(DispatchTest, UnknownNameRaisesTheNamedError)
{
    Sample sample;
    try {
        sample.Call("Jump");
        FAIL() << "no error";
    } catch (const AutomationError& error) {
        EXPECT_STREQ(error.what(), "DispidOfName Jump error");
        EXPECT_EQ(error.Code(), UnknownNameError::UnknownName);
        EXPECT_EQ(error.InterfaceId(), QString::fromLatin1(Dispatch::Iid));
    }
    EXPECT_EQ(sample.IdOfName("Jump"), Dispatch::UnknownId);
}

TEST(DispatchTest, NamesResolveWithoutRegardToCase)
{
    Sample sample;
    EXPECT_EQ(sample.IdOfName("count"), sample.IdOfName("COUNT"));
    EXPECT_EQ(sample.Call("count").ToInt(), 1);
    EXPECT_EQ(sample.Call("Count", {Variant::Missing()}).ToInt(), 2);
    EXPECT_EQ(sample.Call("Count", {5}).ToInt(), 7);
}

TEST(DispatchTest, KeyedPropertiesAreReadAndWrittenWithTheirIndex)
{
    Sample sample;
    sample.Put("Item", {"JW"}, 3);
    EXPECT_EQ(sample.Get("Item", {"JW"}).ToInt(), 3);
    EXPECT_EQ(sample.Call("Item", {"JW"}).ToInt(), 3); // read as a method
    EXPECT_EQ(sample.Get("Name").ToString(), "sample");
}

TEST(DispatchTest, FailingCallsRaiseAutomationErrors)
{
    Sample sample;
    try {
        sample.Call("Broken");
        FAIL() << "no error";
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.Code(), AutomationError::Fail);
        EXPECT_TRUE(error.Description().contains("disk full"));
    }
    EXPECT_THROW(sample.Put("Name", "other"), AutomationError); // read-only
    EXPECT_THROW(sample.Put("Count", 1), AutomationError);      // a method
}

TEST(DispatchTest, ArgumentsPassByReference)
{
    Sample sample;
    Dispatch::Arguments args{"a", "b"};
    sample.Invoke("Swap", Dispatch::CallKind::Method, args);
    EXPECT_EQ(args[0].ToString(), "b");
    EXPECT_EQ(args[1].ToString(), "a");
}

TEST(DispatchTest, VariantsHandOverDispatchObjects)
{
    auto sample = std::make_shared<Sample>();
    EXPECT_EQ(ToDispatch(Variant(std::static_pointer_cast<Object>(sample))), sample);
    EXPECT_EQ(ToDispatch(Variant(3)), nullptr);
    EXPECT_EQ(ToDispatch(Variant()), nullptr);
}

} // namespace
