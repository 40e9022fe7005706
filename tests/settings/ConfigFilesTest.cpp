#include <gtest/gtest.h>

#include "settings/Settings.h"
#include "support/ProgramFixture.h"

using namespace std::string_literals;

class ConfigFilesTest : public ProgramFixture {
 protected:
  Settings LoadAll() {
    Settings settings;
    settings.Load();
    return settings;
  }
};

TEST_F(ConfigFilesTest, LocalizationKeepsTheLineFeedAndTheLastEntry) {
  dir.Write("localization.txt", Cp("menu.file=Файл\n") +
                                    "=x\n"
                                    "abc\n"
                                    "\n"
                                    "a=b=c\n"
                                    "dup=first\n"
                                    "dup=second\n"
                                    "crlf=text\r\n"
                                    "empty=\n"
                                    "nul=ab\0cd\n"s +
                                    "last=no line feed");
  Settings settings = LoadAll();
  std::map<AnsiString, AnsiString> expected = {
      {"menu.file", Cp("Файл\n")}, {"a", "b=c\n"},  {"dup", "second\n"}, {"crlf", "text\n"},
      {"empty", "\n"},             {"nul", "ab"},   {"last", "no line feed"},
  };
  EXPECT_EQ(settings.localization, expected);
  EXPECT_EQ(settings.GetLocalizedText("menu.file", "&File"), Cp("Файл\n"));
  EXPECT_EQ(settings.GetLocalizedText("menu.help", Cp("&Помощь")), Cp("&Помощь"));
}

TEST_F(ConfigFilesTest, DictionaryKeepsTheFirstEntryOfAWord) {
  dir.Write("dictionary.txt",
            "P1,First\n"
            "P1,Second\n"
            "P2\n"
            "P3,\n"
            "P4, Spaced ,extra\n"
            " P5,x\n" +
                Cp("П6,Ферма\n") +
                "P7,");
  Settings settings = LoadAll();
  std::map<AnsiString, AnsiString> expected = {
      {"P1", "First"}, {"P3", ""}, {"P4", " Spaced "}, {" P5", "x"}, {Cp("П6"), Cp("Ферма")},
  };
  EXPECT_EQ(settings.dictionary, expected);
  EXPECT_EQ(settings.Translate("P1"), "First");
  EXPECT_EQ(settings.Translate("P9"), "P9");
  EXPECT_EQ(settings.Translate("P3"), "");
}

TEST_F(ConfigFilesTest, NameIsTheFirstLineAsRead) {
  struct Case {
    std::string bytes;
    std::string name;
  } cases[] = {
      {Cp("Лаборатория\nвторая строка\n"), Cp("Лаборатория\n")},
      {"Lab", "Lab"},
      {"Lab\r\n", "Lab\n"},
      {"", ""},
      {"\x1A" "Lab\n", ""},
      {std::string(3000, 'n') + "\n", std::string(2047, 'n')},
  };
  for (const auto& c : cases) {
    dir.Write("name.txt", c.bytes);
    EXPECT_EQ(LoadAll().GetName(), c.name) << c.bytes.substr(0, 20);
  }
}

TEST_F(ConfigFilesTest, MissingOrUnusableFilesAreSkippedSilently) {
  dir.MakeDir("localization.txt");
  dir.MakeDir("name.txt");
  Settings settings = LoadAll();
  EXPECT_TRUE(settings.localization.empty());
  EXPECT_TRUE(settings.dictionary.empty());
  EXPECT_EQ(settings.name, "");
  EXPECT_EQ(settings.gridColumns.size(), 11u);
  EXPECT_EQ(LogText(), "") << "the readers log nothing";
}

TEST_F(ConfigFilesTest, OverLongLinesArriveInPieces) {
  // 2047 bytes of the first line make one entry; the rest is a line of its own.
  std::string longText(2100, 't');
  dir.Write("localization.txt", "k=" + longText + "\nrest=" + "x\n");
  Settings settings = LoadAll();
  ASSERT_EQ(settings.localization.count("k"), 1u);
  EXPECT_EQ(settings.localization["k"], std::string(2045, 't'));
  EXPECT_EQ(settings.localization.size(), 2u) << "the tail of the long line has no '='";
  EXPECT_EQ(settings.localization["rest"], "x\n");
}
