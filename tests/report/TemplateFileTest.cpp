#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "ReportTestData.h"
#include "report/Template.h"
#include "support/TempProgramDir.h"

namespace {

// A command as "name arg=v1:v2 arg=v3", so a table can state what a file loads as.
std::string Describe(const Command& command) {
  std::string text = command.name;
  for (const Argument& argument : command.arguments) {
    text += " " + argument.name + "=";
    for (std::size_t i = 0; i < argument.values.size(); ++i) text += (i ? ":" : "") + argument.values[i];
  }
  return text;
}

std::vector<std::string> Describe(const Template& tmpl) {
  std::vector<std::string> commands;
  for (const Command& command : tmpl.commands) commands.push_back(Describe(command));
  return commands;
}

struct LoadCase {
  const char* what;
  std::string bytes;
  bool loads;
  std::string code;
  std::string title;
  std::vector<std::string> commands;
};

const std::string kLong(4095 - 9, 'a');  // fills a read together with "wc|value:"

const LoadCase kLoadCases[] = {
    {"two header fields", "A,B\nwc|x:1|y:0|value:{name}|bold:1\n", true, "A", "B",
     {"wc x=1 y=0 value={name} bold=1"}},
    {"header without a comma keeps its line end in code", "A\nsw|coord:1\n", true, "A\n", "", {"sw coord=1"}},
    {"three header fields", "A,B,C\n", true, "A", "B", {}},
    {"header starting with a comma", ",T\n", true, "", "T", {}},
    {"zero bytes", "", true, "", "", {}},
    {"header only, no line end", "A,B", true, "A", "B", {}},
    {"CR LF ends", "A,B\r\nwc|x:1\r\nsw|coord:2|value:30\r\n", true, "A", "B", {"wc x=1", "sw coord=2 value=30"}},
    {"CR inside a line disappears", "A,B\nwc|va\rlue:x\rx\n", true, "A", "B", {"wc value=xx"}},
    {"Ctrl-Z ends the file", "A,B\nwc|x:1\n\x1Awc|x:2\n", true, "A", "B", {"wc x=1"}},
    {"NUL ends the line's text", std::string("A,B\nwc|x:1\0|y:5\nsh|coord:1\n", 27), true, "A", "B",
     {"wc x=1", "sh coord=1"}},
    {"NUL at the start of the header", std::string("\0A,B\nwc|x:1\n", 12), false, "", "", {}},
    {"a line over 4095 bytes is read as two lines",
     "A,B\nwc|value:" + kLong + "sw|coord:3|value:7\n", true, "A", "B",
     {"wc value=" + kLong, "sw coord=3 value=7"}},
    {"a line of exactly 4095 bytes, then its line feed alone", "A,B\nwc|value:" + kLong + "\nsh|value:1\n", true,
     "A", "B", {"wc value=" + kLong, "sh value=1"}},
    {"names compare exactly", "A,B\nWC|x:1\nwc |x:1\n wc|x:1\nWt|x:1\nwx|x:1\nwt|x:1\n", true, "A", "B",
     {"wt x=1"}},
    {"every known name", "A,B\nwc|x:1\nsh|x:1\nsw|x:1\nwt|x:1\nwft|x:1\n", true, "A", "B",
     {"wc x=1", "sh x=1", "sw x=1", "wt x=1", "wft x=1"}},
    {"a name alone keeps its line feed and is no command", "A,B\nwc\nsw\n", true, "A", "B", {}},
    {"a name alone on the last line without line end", "A,B\nsw|coord:1\nwc", true, "A", "B",
     {"sw coord=1", "wc"}},
    {"a name and a bar", "A,B\nwc|\n", true, "A", "B", {"wc"}},
    {"empty and blank lines", "A,B\n\n \nwc|x:1\n", true, "A", "B", {"wc x=1"}},
    {"arguments without a value are dropped", "A,B\nwc|x:|y::2|bold\n", true, "A", "B", {"wc y=2"}},
    {"empty values hold no position", "A,B\nwc|border:1::1\nwt|value::{id}\n", true, "A", "B",
     {"wc border=1:1", "wt value={id}"}},
    {"an argument with an empty name", "A,B\nwc|:5\n", true, "A", "B", {"wc =5"}},
    {"repeated arguments are kept in order", "A,B\nwt|value:a|x:1|value:b\n", true, "A", "B",
     {"wt value=a x=1 value=b"}},
};

void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.what; }

class TemplateLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(TemplateLoad, ReadsTheFileAsStated) {
  const LoadCase& c = GetParam();
  SCOPED_TRACE(c.what);
  TempProgramDir dir;
  dir.Write("t.txt", c.bytes);
  Template tmpl;
  EXPECT_EQ(tmpl.Load(dir.Path("t.txt")), c.loads);
  if (!c.loads) return;
  EXPECT_EQ(tmpl.code, c.code);
  EXPECT_EQ(tmpl.title, c.title);
  EXPECT_EQ(Describe(tmpl), c.commands);
}

INSTANTIATE_TEST_SUITE_P(Files, TemplateLoad, ::testing::ValuesIn(kLoadCases));

TEST(TemplateLoad, FailsOnWhatCannotBeOpened) {
  TempProgramDir dir;
  dir.MakeDir("folder.txt");
  Template tmpl;
  EXPECT_FALSE(tmpl.Load(dir.Path("missing.txt")));
  EXPECT_FALSE(tmpl.Load(dir.Path("folder.txt")));
  EXPECT_TRUE(tmpl.code.empty());
  EXPECT_TRUE(tmpl.commands.empty());
}

TEST(TemplateLoad, KeepsBytesAsRead) {
  TempProgramDir dir;
  dir.Write("t.txt", Cp("код,Журнал\nwc|value:Поставщик{eof}\n"));
  Template tmpl;
  ASSERT_TRUE(tmpl.Load(dir.Path("t.txt")));
  EXPECT_EQ(tmpl.title, Cp("Журнал"));
  ASSERT_EQ(tmpl.commands.size(), 1u);
  EXPECT_EQ(tmpl.commands[0].arguments[0].values[0], Cp("Поставщик{eof}"));
}

TEST(CommandParse, RefusesWhatIsNoCommand) {
  for (const char* line : {"", "\n", "|x:1", "WC|x:1", "wc\n", "w c|x:1", "wct|x:1"}) {
    Command command;
    EXPECT_FALSE(command.Parse(line)) << '"' << line << '"';
  }
  EXPECT_TRUE(Command::IsKnownName("wft"));
  EXPECT_FALSE(Command::IsKnownName("Wft"));
  EXPECT_FALSE(Command::IsKnownName(""));
}

TEST(CommandArguments, FirstOfANameCounts) {
  Command command = MakeCommand("wc|x:1|x:5|X:7|y:abc|z:1:2");
  EXPECT_EQ(command.GetIntArgument("x", 9), 1);
  EXPECT_EQ(command.GetIntArgument("X", 9), 7);
  EXPECT_EQ(command.GetIntArgument("y", 9), 9);     // no integer
  EXPECT_EQ(command.GetIntArgument("dimy", -1), -1);  // absent
  EXPECT_EQ(command.FindArgument("x"), &command.arguments[0]);
  EXPECT_EQ(command.FindArgument("value"), nullptr);
}

TEST(ArgumentAccessors, ReadValuesWithDefaults) {
  Argument argument;
  ASSERT_TRUE(argument.Parse("v:0:false:1:true:yes:FALSE:00:-3:12ab: 7:7 :$1F:0x10:99999999999:2147483647"));
  EXPECT_EQ(argument.name, "v");
  struct BoolCase {
    unsigned index;
    bool expected;
  };
  for (BoolCase c : {BoolCase{0, false}, {1, false}, {2, true}, {3, true}, {4, true}, {5, true}, {6, true}})
    EXPECT_EQ(argument.GetBool(!c.expected, c.index), c.expected) << "index " << c.index;
  EXPECT_TRUE(argument.GetBool(true, 99));
  EXPECT_FALSE(argument.GetBool(false, 99));

  struct IntCase {
    unsigned index;
    int expected;
  };
  for (IntCase c : {IntCase{7, -3}, {8, 42}, {9, 7}, {10, 42}, {11, 31}, {12, 16}, {13, 42}, {14, 2147483647},
                    {15, 42}, {2, 1}})
    EXPECT_EQ(argument.GetInt(42, c.index), c.expected) << "index " << c.index;

  EXPECT_EQ(argument.GetString("d", 4), "yes");
  EXPECT_EQ(argument.GetString("d", 15), "d");
}

TEST(ArgumentParse, RefusesAFieldWithoutValues) {
  for (const char* field : {"", "x", "x:", "x::", ":"}) {
    Argument argument;
    EXPECT_FALSE(argument.Parse(field)) << '"' << field << '"';
  }
}

}  // namespace
