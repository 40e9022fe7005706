#include <gtest/gtest.h>

#include <climits>

#include "settings/Settings.h"
#include "support/ProgramFixture.h"

class CommandLineTest : public ProgramFixture {};

TEST_F(CommandLineTest, ArgumentsGiveCodePageDetectionAndFieldMap) {
  struct Case {
    std::vector<std::string> arguments;  // after the program
    int codePage;
    bool detect;
    std::string fieldIndexSpec;
  } cases[] = {
      {{}, 65001, false, ""},
      {{"cp_detect"}, 65001, true, ""},
      {{"CP_DETECT"}, 0, false, ""},
      {{"1251"}, 1251, false, ""},
      {{"1251abc"}, 1251, false, ""},
      {{"abc"}, 0, false, ""},
      {{" 866"}, 866, false, ""},
      {{"-5"}, -5, false, ""},
      {{"99999999999"}, INT_MAX, false, ""},
      {{"65001", "{id},0,{time},2"}, 65001, false, "{id},0,{time},2"},
      {{"cp_detect", "{id},0"}, 65001, true, "{id},0"},
      {{"abc", "{поле},1"}, 0, false, Cp("{поле},1")},
      {{"1251", "{id},0", "ignored"}, 1251, false, "{id},0"},
  };
  for (const auto& c : cases) {
    SetArguments(c.arguments);
    Settings settings;
    settings.ParseCommandLine();
    std::string label = c.arguments.empty() ? "(none)" : c.arguments[0];
    EXPECT_EQ(settings.commandLineCodePage, c.codePage) << label;
    EXPECT_EQ(settings.detectCodePages, c.detect) << label;
    EXPECT_EQ(settings.fieldIndexSpec, c.fieldIndexSpec) << label;
  }
}

TEST_F(CommandLineTest, NoArgumentsAtAllStillGiveUtf8) {
  SetCommandLineForTesting({});
  Settings settings;
  settings.ParseCommandLine();
  EXPECT_EQ(settings.commandLineCodePage, 65001);
  EXPECT_FALSE(settings.detectCodePages);
}
