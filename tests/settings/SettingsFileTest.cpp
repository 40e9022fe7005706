#include <gtest/gtest.h>

#include <optional>

#include "settings/Settings.h"
#include "support/ProgramFixture.h"

using Words = std::vector<AnsiString>;
using CodePages = std::vector<std::uint32_t>;
using Fields = std::map<AnsiString, std::int32_t>;

class SettingsFileTest : public ProgramFixture {
 protected:
  // Loads a whole Settings with this settings.txt (none when nullopt) and these arguments.
  Settings LoadWith(const std::optional<std::string>& file, const std::vector<std::string>& arguments = {}) {
    if (file)
      dir.Write("settings.txt", *file);
    else
      std::remove(dir.Path("settings.txt").c_str());
    SetArguments(arguments);
    Settings settings;
    settings.Load();
    return settings;
  }

  static std::string Columns(const Settings& settings) {
    std::string text;
    for (const auto& column : settings.gridColumns)
      text += column.key + "|" + column.caption + "|" + std::to_string(column.width) + ";";
    return text;
  }
};

const char* const kBuiltinColumns =
    "{num}|Номер п/п|60;{provider}|Поставщик|140;{ttn}|ТТН|43;{tcs}|Тетрациклин|87;{cap}|Хлорамфеникол|86;"
    "{strep}|Стрептомицин|86;{b}|Беталактам|76;{lin}|Линкомицин|74;{tyl}|Тилозин+Тилмикозин|115;"
    "{qns}|Фторхинолоны|81;{datetime}|Время проведения анализа|141;";

TEST_F(SettingsFileTest, WithoutTheFileTheBuiltinsServe) {
  Settings settings = LoadWith(std::nullopt, {"65001", "{id},0"});
  EXPECT_EQ(settings.negatives, (Words{"Negative", Cp("Негатив")}));
  EXPECT_EQ(settings.positives, (Words{"Positive", Cp("Позитив")}));
  EXPECT_EQ(Columns(settings), kBuiltinColumns) << "captions stay UTF-8";
  std::map<AnsiString, Words> aliases = {
      {"{b}", {"B"}},     {"{strep}", {"STREP"}},        {"{cap}", {"CAP"}}, {"{tcs}", {"TCS"}},
      {"{lin}", {"LIN", "LINCO"}}, {"{tyl}", {"TYL", "TYL+TIL"}}, {"{qns}", {"QNS"}},
  };
  EXPECT_EQ(settings.aliases, aliases);
  EXPECT_TRUE(settings.displayNames.empty());
  EXPECT_TRUE(settings.fieldIndexes.empty()) << "the command line's map needs a fifth line to replace";
  EXPECT_TRUE(settings.codePages.empty());
  EXPECT_EQ(settings.codePage, 65001);
  EXPECT_EQ(settings.lastCodePage, 0);
}

TEST_F(SettingsFileTest, ResultWordLines) {
  struct Case {
    std::string line2, line3;
    Words positives, negatives;
  } cases[] = {
      {"Positive,Pos\n", "Negative,Neg\n", {"Positive", "Pos"}, {"Negative", "Neg"}},
      {"Positive\n", "Negative\n", {"Positive"}, {"Negative"}},
      {"Позитив\n", "\n", {Cp("Позитив")}, {}},
      {"Positive,\n", "\n", {"Positive", ""}, {}},
      {"a,b;c\n", "x;y\n", {"a", "b;c"}, {"x", "y"}},
      {" a , b\n", "a,,b\n", {" a ", " b"}, {"a", "", "b"}},
      {"Позитив,Положительно\n", "Негатив;Отрицательно\n", {Cp("Позитив"), Cp("Положительно")},
       {Cp("Негатив"), Cp("Отрицательно")}},
  };
  for (const auto& c : cases) {
    Settings settings = LoadWith("cp=65001\n" + c.line2 + c.line3);
    EXPECT_EQ(settings.positives, c.positives) << c.line2;
    EXPECT_EQ(settings.negatives, c.negatives) << c.line3;
  }
  // A single word on a line marks the results that carry it.
  Settings single = LoadWith("cp=65001\nPositive\nNegative\n");
  EXPECT_EQ(single.GetResultMark("Positive"), Cp("ПОЗ"));
  EXPECT_EQ(single.GetResultMark("Negative"), "-");
  EXPECT_EQ(single.GetResultMark("Positive,"), Cp("неизвестно"));
  // Words written in UTF-8 match a result decoded into the ANSI code page.
  Settings settings = LoadWith("cp=65001\nПозитив,Положительно\nНегатив,-\n");
  EXPECT_EQ(settings.GetResultMark(Cp("Положительно")), Cp("ПОЗ"));
  // An existing short file gives no words at all.
  Settings shortFile = LoadWith("cp=65001\n");
  EXPECT_TRUE(shortFile.positives.empty());
  EXPECT_EQ(shortFile.GetResultMark("Negative"), Cp("неизвестно"));
}

TEST_F(SettingsFileTest, CodePageLine) {
  struct Case {
    std::string line1;
    std::vector<std::string> arguments;
    CodePages codePages;
    int codePage, lastCodePage;
  } cases[] = {
      {"cp=65001,,1251\n", {}, {65001, 0, 1251}, 65001, 65001},
      {"cp=1251\n", {"cp_detect"}, {1251}, 1251, 1251},
      {"cp=1251\n", {"65001"}, {1251}, 1251, 1251},
      {"cp 65001\n", {}, {}, 65001, 0},
      {"cp=\n", {}, {}, 65001, 0},
      {"cp=", {}, {}, 65001, 0},
      {"\xEF\xBB\xBF" "cp=1251\n", {}, {1251}, 1251, 1251},
      {"cp=866=1251\n", {}, {866}, 866, 866},
      {"=-1, 20866x\n", {}, {4294967295u, 20866}, -1, -1},
      // A code page on the command line replaces the list, whatever the file says.
      {"cp=65001\n", {"1251"}, {1251}, 1251, 1251},
      {"cp=65001\n", {"abc"}, {0}, 0, 0},
      {"", {"1251"}, {1251}, 1251, 1251},
  };
  for (const auto& c : cases) {
    Settings settings = LoadWith(c.line1, c.arguments);
    std::string label = c.line1 + (c.arguments.empty() ? "" : " with " + c.arguments[0]);
    EXPECT_EQ(settings.codePages, c.codePages) << label;
    EXPECT_EQ(settings.codePage, c.codePage) << label;
    EXPECT_EQ(settings.lastCodePage, c.lastCodePage) << label;
  }
  Settings missing = LoadWith(std::nullopt, {"1251"});
  EXPECT_EQ(missing.codePages, CodePages{1251}) << "also without settings.txt";
  EXPECT_EQ(missing.codePage, 1251);
}

TEST_F(SettingsFileTest, GridColumnLine) {
  struct Case {
    std::string line4;
    std::string columns;
  } cases[] = {
      {"{a},A,30;{b},B,40\n", "{a}|A|30;{b}|B|40;"},
      {"{a},A\n", "{a}|A|20;"},
      {"{a}\n", "{a}\n|{a}\n|20;"},
      {"{a};;{b},,7;\n", "{a}|{a}|20;{b}||7;"},
      {"{a},A,30 ;{b},B,  5;{c},C,0x10;{d},D,$1F;{e},E,x;{f},F,-3;{g},G,1,extra\n",
       "{a}|A|20;{b}|B|5;{c}|C|16;{d}|D|31;{e}|E|20;{f}|F|-3;{g}|G|1;"},
      {"\n", "\n|\n|20;"},
      {";\n", ""},
      {"{num},Номер\n", "{num}|Номер|20;"},
  };
  for (const auto& c : cases) {
    Settings settings = LoadWith("cp=65001\nP,Q\nN,M\n" + c.line4);
    EXPECT_EQ(Columns(settings), c.columns) << c.line4;
  }
  EXPECT_EQ(Columns(LoadWith("cp=65001\nP,Q\nN,M\n")), kBuiltinColumns) << "no fourth line";
}

TEST_F(SettingsFileTest, FieldIndexLine) {
  const std::string head = "cp=65001\nP,Q\nN,M\n{id},Id,50\n";
  struct Case {
    std::string line5;
    std::vector<std::string> arguments;
    Fields fields;
  } cases[] = {
      {"{id},0,{time},2\n", {}, {{"{id}", 0}, {"{time}", 2}}},
      {"{id},0,{time}\n", {}, {{"{id}", 0}}},
      {"{id},0,{id},3\n", {}, {{"{id}", 3}}},
      {"{id}, 4x,{x},abc,{y},-1\n", {}, {{"{id}", 4}, {"{x}", 0}, {"{y}", -1}}},
      {"{id},0\n", {"65001", "{lot},7"}, {{"{lot}", 7}}},
      {"{id},0\n", {"1251", "{a},1,{b},2"}, {{"{a}", 1}, {"{b}", 2}}},
      {"\n", {}, {}},
  };
  for (const auto& c : cases) {
    Settings settings = LoadWith(head + c.line5, c.arguments);
    EXPECT_EQ(settings.fieldIndexes, c.fields) << c.line5;
  }
  EXPECT_TRUE(LoadWith(head, {"65001", "{lot},7"}).fieldIndexes.empty()) << "four lines: no map";
}

TEST_F(SettingsFileTest, AliasLines) {
  Settings settings = LoadWith(
      "cp=65001\nP,Q\nN,M\n{id},Id,50\n{id},0\n"
      "X1,{tcs}=Тетрациклин\n"
      "TCS,{tcs}\n"
      "Y,Z,{new}\n"
      "{one}=Lonely\n"
      "A,{k}=First\n"
      "B,{k}=\n"
      "\n"
      "Пенициллин,{b}=Бета\n");
  EXPECT_EQ(settings.aliases["{tcs}"], (Words{"X1", "TCS", "TCS"}));
  EXPECT_EQ(settings.aliases["{new}"], (Words{"Y", "Z"}));
  EXPECT_EQ(settings.aliases["{k}"], (Words{"A", "B"}));
  EXPECT_EQ(settings.aliases["{b}"], (Words{Cp("Пенициллин"), "B"}));
  EXPECT_EQ(settings.aliases.count("{one}"), 0u);
  std::map<AnsiString, AnsiString> names = {{"{tcs}", Cp("Тетрациклин")}, {"{k}", ""}, {"{b}", Cp("Бета")}};
  EXPECT_EQ(settings.displayNames, names);
  EXPECT_EQ(settings.FindKeyByAlias(Cp("Пенициллин")), "{b}");
  EXPECT_EQ(settings.GetDisplayNameByAlias("X1"), Cp("Тетрациклин"));
}

TEST_F(SettingsFileTest, AnAliasLineWithAnEmptyKeyIsIgnored) {
  // Found by fuzzing: the sixth line "B," listed "B" under the key "", so that "B" found no
  // group and its lines left the samples.
  Settings settings = LoadWith("\n\n\n\n\nB,\nTCS,=Name\nX,,\n");
  EXPECT_EQ(settings.aliases.count(""), 0u);
  EXPECT_EQ(settings.displayNames.count(""), 0u);
  EXPECT_EQ(settings.FindKeyByAlias("B"), "{b}");
  EXPECT_EQ(settings.FindKeyByAlias("TCS"), "{tcs}");
  EXPECT_EQ(settings.FindKeyByAlias("X"), "");
}

TEST_F(SettingsFileTest, ALineOf2047BytesShiftsTheLineNumbers) {
  std::string line1 = "cp=65001";
  line1 += std::string(2047 - line1.size(), ',');
  // Line 1 fills the buffer, so its line feed is line 2 and every later line moves down.
  Settings settings = LoadWith(line1 + "\nP,Q\nN,M\n{id},Id,50\n");
  EXPECT_EQ(settings.codePages.front(), 65001u);
  EXPECT_TRUE(settings.positives.empty());
  EXPECT_EQ(settings.negatives, (Words{"P", "Q"}));
  EXPECT_EQ(Columns(settings), "N|M|20;");
  EXPECT_EQ(settings.fieldIndexes, (Fields{{"{id}", 0}})) << "the old fourth line is read as the map";
}

TEST_F(SettingsFileTest, NothingIsLoggedOrShown) {
  LoadWith(std::string("garbage\x1A more\n\0\0\n", 17));
  EXPECT_EQ(LogText(), "");
  std::remove(dir.Path("settings.txt").c_str());
  dir.MakeDir("settings.txt");
  SetCommandLineForTesting({dir.Path("kelvarn")});
  Settings folder;
  folder.Load();
  EXPECT_EQ(folder.negatives.size(), 2u) << "a folder in its place counts as no file";
}
