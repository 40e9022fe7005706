#include <gtest/gtest.h>

#include <vector>

#include "automation/FailureOf.h"
#include "platform/Exception.h"
#include "platform/automation/AutomationObject.h"
#include "platform/automation/Dispatch.h"
#include "platform/automation/Variant.h"

namespace {

// Remembers what reached it.
struct Probe : AutomationObject {
  std::vector<std::string> calls;
  Variant GetProperty(std::string_view name, std::span<const Variant> arguments) override {
    std::string call = "get " + std::string(name);
    for (const Variant& argument : arguments) call += " " + std::to_string(argument.AsInteger());
    calls.push_back(call);
    return Variant(7);
  }
  void SetProperty(std::string_view name, const Variant& value) override {
    calls.push_back("set " + std::string(name) + " " + std::to_string(value.AsInteger()));
  }
  void CallMethod(std::string_view name) override { calls.push_back("call " + std::string(name)); }
};

}  // namespace

TEST(Variant, HoldsEachKindWithAutomationsCoercions) {
  EXPECT_EQ(Variant().GetType(), Variant::Type::Empty);
  EXPECT_EQ(Variant(0).GetType(), Variant::Type::Integer);
  EXPECT_EQ(Variant(true).GetType(), Variant::Type::Boolean);
  EXPECT_EQ(Variant(u"@").GetType(), Variant::Type::Text);
  EXPECT_EQ(Variant(std::make_shared<Probe>()).GetType(), Variant::Type::Object);
  EXPECT_EQ(Variant(std::shared_ptr<Probe>()).GetType(), Variant::Type::Empty);

  EXPECT_EQ(Variant(-5).AsInteger(), -5);
  EXPECT_EQ(Variant(true).AsInteger(), -1);  // all bits set
  EXPECT_EQ(Variant(false).AsInteger(), 0);
  EXPECT_TRUE(Variant(2).AsBoolean());
  EXPECT_FALSE(Variant(0).AsBoolean());
  EXPECT_EQ(Variant(WideString(u"Тест")).AsText(), u"Тест");

  EXPECT_EQ(FailureOf([] { Variant(u"10").AsInteger(); }), "Type mismatch");
  EXPECT_EQ(FailureOf([] { Variant().AsBoolean(); }), "Type mismatch");
  EXPECT_EQ(FailureOf([] { Variant(1).AsText(); }), "Type mismatch");
  EXPECT_EQ(FailureOf([] { Variant(std::make_shared<Probe>()).AsInteger(); }), "Type mismatch");
}

TEST(Variant, CopiesAddAReferenceAndTheLastOneReleasesTheObject) {
  auto probe = std::make_shared<Probe>();
  std::weak_ptr<Probe> watch = probe;
  Variant first(probe);
  probe.reset();
  EXPECT_EQ(watch.use_count(), 1);
  {
    Variant copy = first;
    Variant another(0);
    another = copy;
    EXPECT_EQ(watch.use_count(), 3);
  }
  EXPECT_EQ(watch.use_count(), 1);
  first = Variant(0);
  EXPECT_TRUE(watch.expired());
}

TEST(Variant, CallsReachTheObjectWithTheirArguments) {
  auto probe = std::make_shared<Probe>();
  Variant object(probe);
  EXPECT_EQ(object.GetProperty("Cells").AsInteger(), 7);
  object.GetProperty("Borders", 7);
  object.GetProperty("Item", 1, 2);
  object.SetProperty("Size", 9);
  object.CallMethod("add");
  EXPECT_EQ(probe->calls,
            (std::vector<std::string>{"get Cells", "get Borders 7", "get Item 1 2", "set Size 9", "call add"}));
}

TEST(Variant, CallsOnAValueWithoutAnObjectFail) {
  const char* expected = "Variant does not reference an automation object";
  for (const Variant& value : {Variant(), Variant(0), Variant(true), Variant(u"x")}) {
    EXPECT_EQ(FailureOf([&] { value.GetProperty("Cells"); }), expected);
    EXPECT_EQ(FailureOf([&] { value.GetProperty("Item", 1, 1); }), expected);
    EXPECT_EQ(FailureOf([&] { value.SetProperty("Value", u"x"); }), expected);
    EXPECT_EQ(FailureOf([&] { value.CallMethod("add"); }), expected);
  }
}

TEST(Dispatch, MemberNamesMatchWithoutRegardToCase) {
  EXPECT_TRUE(IsMember("WorkBooks", "Workbooks"));
  EXPECT_TRUE(IsMember("add", "Add"));
  EXPECT_TRUE(IsMember("WORKSHEETS", "Worksheets"));
  EXPECT_FALSE(IsMember("Workbook", "Workbooks"));
  EXPECT_FALSE(IsMember("Workbooks ", "Workbooks"));
  EXPECT_FALSE(IsMember("", "Add"));
  EXPECT_EQ(FailureOf([] { ThrowUnknownName("Foo"); }), "Unknown name: Foo");
  const Variant one[] = {Variant(1)};
  EXPECT_EQ(FailureOf([&] { ExpectArguments(one, 2); }), "Invalid number of parameters");
  EXPECT_EQ(FailureOf([&] { ExpectArguments(one, 1); }), "no failure");
}
