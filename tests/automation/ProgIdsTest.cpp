#include <gtest/gtest.h>

#include "automation/FailureOf.h"

#include "platform/Exception.h"
#include "platform/automation/DispatchObject.h"
#include "platform/automation/ProgIds.h"

namespace {

struct Nothing : DispatchObject {};

// Registers a test server for the length of a test.
class ProgIds : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterProgId("Kelvarn.Test", [this] {
      ++made;
      return std::make_shared<Nothing>();
    });
  }
  void TearDown() override { RegisterProgId("Kelvarn.Test", {}); }

  int made = 0;
};

}  // namespace

TEST_F(ProgIds, CreateObjectMakesAFreshInstanceEveryTime) {
  Variant first = CreateObject("Kelvarn.Test");
  Variant second = CreateObject("kelvarn.TEST");  // identifiers ignore letter case
  ASSERT_TRUE(first.IsObject());
  ASSERT_TRUE(second.IsObject());
  EXPECT_NE(first.AsObject(), second.AsObject());
  EXPECT_EQ(made, 2);
}

TEST_F(ProgIds, UnknownIdentifiersAndServersWithoutInstancesFail) {
  EXPECT_EQ(FailureOf([] { CreateObject("Kelvarn.Missing"); }), "Invalid class string: Kelvarn.Missing");
  EXPECT_EQ(FailureOf([] { GetActiveObject("Kelvarn.Missing"); }), "Invalid class string: Kelvarn.Missing");
  RegisterProgId("Kelvarn.Test", [] { return std::shared_ptr<AutomationObject>(); });
  EXPECT_EQ(FailureOf([] { CreateObject("Kelvarn.Test"); }), "Server execution failed: Kelvarn.Test");
}

TEST_F(ProgIds, GetActiveObjectFindsTheMostRecentInstanceStillAlive) {
  EXPECT_NE(FailureOf([] { GetActiveObject("Kelvarn.Test"); }), "no failure");
  Variant first = CreateObject("Kelvarn.Test");
  Variant second = CreateObject("Kelvarn.Test");
  EXPECT_EQ(GetActiveObject("Kelvarn.Test").AsObject(), second.AsObject());
  second = Variant();
  EXPECT_EQ(GetActiveObject("KELVARN.test").AsObject(), first.AsObject());
  EXPECT_EQ(made, 2);  // found, not made
  first = Variant();
  EXPECT_NE(FailureOf([] { GetActiveObject("Kelvarn.Test"); }), "no failure");
}

TEST_F(ProgIds, RegisteringReplacesAndAnEmptyFactoryRemoves) {
  AutomationFactory previous = RegisterProgId("Kelvarn.Test", [] { return std::make_shared<Nothing>(); });
  ASSERT_TRUE(previous);
  CreateObject("Kelvarn.Test");
  EXPECT_EQ(made, 0);
  EXPECT_TRUE(RegisterProgId("Kelvarn.Test", {}));
  EXPECT_FALSE(RegisterProgId("Kelvarn.Test", {}));
  EXPECT_NE(FailureOf([] { CreateObject("Kelvarn.Test"); }), "no failure");
}

TEST(InstalledServers, TheSpreadsheetServerIsRegisteredWithoutBeingAskedTo) {
  Variant app = CreateObject("excel.application");
  ASSERT_TRUE(app.IsObject());
  EXPECT_EQ(GetActiveObject("Excel.Application").AsObject(), app.AsObject());
}
