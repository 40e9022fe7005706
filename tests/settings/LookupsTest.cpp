#include <gtest/gtest.h>

#include "settings/ReportTexts.h"
#include "settings/Settings.h"
#include "support/ProgramFixture.h"

class LookupsTest : public ProgramFixture {
 protected:
  // The built-in words and aliases: what a program folder without settings.txt gives.
  Settings Builtin() {
    Settings settings;
    settings.Load();
    return settings;
  }
};

TEST_F(LookupsTest, ResultMarks) {
  Settings settings = Builtin();
  settings.negatives.push_back("Both");
  settings.positives.push_back("Both");
  struct Case {
    std::string result;
    std::string mark;
  } cases[] = {
      {"", "---"},
      {"Negative", "-"},
      {Cp("Негатив"), "-"},
      {"Positive", Cp("ПОЗ")},
      {Cp("Позитив"), Cp("ПОЗ")},
      {"negative", Cp("неизвестно")},
      {Cp("негатив"), Cp("неизвестно")},
      {"Negative ", Cp("неизвестно")},
      {"Both", "-"},
      {"?", Cp("неизвестно")},
  };
  for (const auto& c : cases) EXPECT_EQ(settings.GetResultMark(c.result), c.mark) << c.result;
  EXPECT_EQ(settings.GetResultMark("Negative"), ReportText(txtNegativeMark));
  EXPECT_EQ(settings.GetResultMark("Positive"), ReportText(txtPositiveMark));
  EXPECT_EQ(settings.GetResultMark("x"), ReportText(txtUnknown));
  EXPECT_EQ(settings.MatchPositive("Negative"), Cp("неизвестно"));
}

TEST_F(LookupsTest, AliasesAndDisplayNames) {
  Settings settings = Builtin();
  settings.displayNames["{tcs}"] = Cp("Тетрациклин");
  struct Case {
    std::string element, key, display;
  } cases[] = {
      {"TYL+TIL", "{tyl}", "{tyl}"},
      {"LINCO", "{lin}", "{lin}"},
      {"TCS", "{tcs}", Cp("Тетрациклин")},
      {"tcs", "", ""},
      {"XYZ", "", ""},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(settings.FindKeyByAlias(c.element), c.key) << c.element;
    EXPECT_EQ(settings.GetDisplayNameByAlias(c.element), c.display) << c.element;
  }
  EXPECT_EQ(settings.GetDisplayName("{b}"), "{b}");
  settings.displayNames["{b}"] = "";
  EXPECT_EQ(settings.GetDisplayName("{b}"), "") << "a present empty name is the name";

  // A name under two keys belongs to the key that sorts first.
  settings.aliases["{a}"].push_back("TCS");
  EXPECT_EQ(settings.FindKeyByAlias("TCS"), "{a}");
}

TEST_F(LookupsTest, ValueByField) {
  Settings settings;
  settings.fieldIndexes = {{"{id}", 0}, {"{time}", 2}, {"{neg}", -1}, {"{far}", 9}};
  std::vector<AnsiString> pieces = {"0012", "P1", "2019.08.30 10:15:00"};
  EXPECT_EQ(settings.GetValueByField("{id}", pieces), "0012");
  EXPECT_EQ(settings.GetValueByField("{time}", pieces), "2019.08.30 10:15:00");
  EXPECT_EQ(settings.GetValueByField("{neg}", pieces), "");
  EXPECT_EQ(settings.GetValueByField("{far}", pieces), "");
  EXPECT_EQ(settings.GetValueByField("{none}", pieces), "");
  EXPECT_EQ(settings.GetValueByField("{id}", {}), "");
  EXPECT_EQ(LogText(), "");
}

TEST_F(LookupsTest, DecodeTriesTheCodePagesInOrder) {
  const std::string utf8Line = "0012,\xD0\x9C\xD0\xBE\xD0\xBB";  // "0012,Мол"
  {
    Settings settings;
    EXPECT_EQ(settings.Decode(utf8Line), "");
    EXPECT_EQ(settings.Decode(""), "");
    EXPECT_EQ(LogText(), "") << "no code page, no message";
  }
  {
    Settings settings;
    settings.codePages = {65001, 1251};
    settings.lastCodePage = 65001;
    bool replaced = true;
    EXPECT_EQ(settings.Decode(utf8Line, &replaced), Cp("0012,Мол"));
    EXPECT_FALSE(replaced);
    EXPECT_EQ(LogText(), "");
    // Bytes that are no UTF-8 go on to 1251, which reads them: no error, one announcement.
    EXPECT_EQ(settings.Decode("\xCC\xEE", &replaced), Cp("Мо"));
    EXPECT_FALSE(replaced);
    EXPECT_EQ(settings.Decode("\xEB\xEE\xEA\xEE"), Cp("локо"));
    EXPECT_EQ(settings.lastCodePage, 1251);
    EXPECT_EQ(LogText(), "[WARNING] cp is: 1251...\n");
  }
}

TEST_F(LookupsTest, DecodeReplacesOnlyInTheLastCodePage) {
  struct Case {
    std::vector<std::uint32_t> codePages;
    std::string line, text;
    bool replaced;
  } cases[] = {
      {{65001}, "\xCC\xEE", "??", true},
      {{65001}, "a\xD0", "a?", true},  // cut in the middle of a character
      {{1251, 65001}, "\x98" "a", "?a", true},
      {{20127, 1251}, "\xCC", Cp("М"), false},
      {{65001, 20127}, "\xCC", "?", true},
  };
  for (const auto& c : cases) {
    Settings settings;
    settings.codePages = c.codePages;
    settings.lastCodePage = static_cast<std::int32_t>(c.codePages.back());
    bool replaced = !c.replaced;
    EXPECT_EQ(settings.Decode(c.line, &replaced), c.text) << c.line;
    EXPECT_EQ(replaced, c.replaced) << c.line;
  }
  EXPECT_EQ(LogText(), "") << "a refused line is no error";
}

TEST_F(LookupsTest, AsciiLinesDoNotFlipTheAnnouncedCodePage) {
  Settings settings;
  settings.codePages = {65001, 1251};
  settings.lastCodePage = 65001;
  for (const char* line : {"1,\xCC\xEE", "2,Negative", "3,\xCC\xEE", "4,Negative"}) settings.Decode(line);
  EXPECT_EQ(settings.lastCodePage, 1251);
  EXPECT_EQ(LogText(), "[WARNING] cp is: 1251...\n");
  EXPECT_EQ(settings.Decode("5,\xD0\x9C"), Cp("5,М"));
  EXPECT_EQ(LogText(), "[WARNING] cp is: 1251...\n[WARNING] cp is: 65001...\n") << "a UTF-8 line is a change";
}

TEST_F(LookupsTest, DecodeLogsEachFailedCodePageAndEachChangeOfTheWinner) {
  Settings settings;
  settings.codePages = {4242, 1251};
  settings.lastCodePage = 4242;
  EXPECT_EQ(settings.Decode("\xCC\xEE"), "\xCC\xEE");
  EXPECT_EQ(settings.Decode("ab"), "ab");
  EXPECT_EQ(settings.lastCodePage, 1251);
  EXPECT_EQ(LogText(),
            "[WARNING] MultiByteToWideChar error: ERROR_INVALID_PARAMETER with cp: 4242 for '\xCC\xEE'...\n"
            "[WARNING] cp is: 1251...\n"
            "[WARNING] MultiByteToWideChar error: ERROR_INVALID_PARAMETER with cp: 4242 for 'ab'...\n");
}

TEST_F(LookupsTest, DecodeNamesTheConversionsOwnError) {
  Settings settings;
  settings.codePages = {65001, 4294967295u};
  settings.lastCodePage = 65001;
  std::string longLine(2049, 'x');
  EXPECT_EQ(settings.Decode(longLine), "");
  std::string log = LogText();
  EXPECT_NE(log.find("MultiByteToWideChar error: ERROR_INSUFFICIENT_BUFFER with cp: 65001 for '"), std::string::npos);
  EXPECT_NE(log.find("MultiByteToWideChar error: ERROR_INVALID_PARAMETER with cp: 4294967295 for '"),
            std::string::npos);
}

TEST(ProgramDir, IsTheExecutablesFolder) {
  struct Case {
    std::string exe, dir;
  } cases[] = {
      {"/opt/kelvarn/bin/kelvarn", "/opt/kelvarn/bin/"},
      {"/kelvarn", "/"},
      {"kelvarn", "kelvarn"},
      {"/opt/a\\b/kelvarn", "/opt/a\\b/"},
  };
  for (const auto& c : cases) {
    SetModuleFileNameForTesting(c.exe);
    EXPECT_EQ(GetProgramDir(), c.dir) << c.exe;
  }
  SetModuleFileNameForTesting("");
  EXPECT_EQ(ErrorNumberText(1113), "1113");
  EXPECT_EQ(ErrorNumberText(-87), "-87");
}
