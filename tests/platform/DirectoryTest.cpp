#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/Directory.h"
#include "platform/System.h"
#include "support/TempProgramDir.h"

namespace {

std::vector<AnsiString> Names(const std::vector<DirectoryEntry>& entries) {
  std::vector<AnsiString> names;
  for (const auto& entry : entries) names.push_back(entry.name);
  return names;
}

}  // namespace

TEST(Directory, WildcardsMatchWithoutRegardToCase) {
  struct Case {
    const char* pattern;
    const char* name;
    bool matches;
  };
  const Case cases[] = {
      {"*.txt", "a.txt", true},         {"*.txt", "B.TXT", true},       {"*.txt", "c.Txt", true},
      {"*.txt", "d.csv", false},        {"*.txt", "e.txt.bak", false},  {"*.txt", "txt", false},
      {"*.txt", ".txt", true},          {"отчёт.*", "ОТЧЁТ.txt", true}, {"Ґ*", "ґанок", true},
      {"?.txt", "ab.txt", false},       {"a?c", "abc", true},           {"a*b*c", "aXbYc", true},
      {"a*b*c", "aXbYcZ", false},       {"*", "", true},                {"", "a", false},
      {"**x", "abx", true},
      // A "*" of the pattern is the wildcard, also against a "*" in the name.
      {"*", "**", true},                {"*", "*a", true},              {"*.txt", "*1-journal.txt", true},
      {"a*", "a*", true},               {"*a", "**a", true},            {"*.txt", "*.csv", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WildcardMatches(Cp(c.pattern), Cp(c.name)), c.matches) << c.pattern << " " << c.name;
}

TEST(Directory, ListsMatchingNamesInTheOrderOfAnNtfsFolder) {
  TempProgramDir dir;
  for (const char* name : {"b.txt", "A.txt", "_x.txt", "Яблоко.txt", "ёж.txt", "ель.txt", "c.TXT", "d.csv", "e.txt.bak"})
    dir.Write(std::string("t/") + name, "x");
  EXPECT_EQ(Names(ListDirectory(dir.Path("t/*.txt"))),
            (std::vector<AnsiString>{"A.txt", "b.txt", "c.TXT", "_x.txt", Cp("ёж.txt"), Cp("ель.txt"),
                                     Cp("Яблоко.txt")}));
}

TEST(Directory, ListsANameThatBeginsWithAStar) {
  TempProgramDir dir;
  dir.Write("templates/*1-journal.txt", "x");
  dir.Write("templates/2-selected.txt", "x");
  EXPECT_EQ(Names(ListDirectory(dir.Path("templates/*.txt"))),
            (std::vector<AnsiString>{"*1-journal.txt", "2-selected.txt"}));
}

TEST(Directory, MarksFoldersAndLeavesOutWhatIsNoFile) {
  TempProgramDir dir;
  dir.Write("t/file.txt", "x");
  dir.MakeDir("t/folder.txt");
  ASSERT_EQ(mkfifo(dir.Path("t/pipe.txt").c_str(), 0600), 0);
  std::filesystem::create_symlink(dir.Path("t/file.txt"), dir.Path("t/link.txt"));
  std::filesystem::create_symlink(dir.Path("t/missing"), dir.Path("t/dangling.txt"));
  auto entries = ListDirectory(dir.Path("t/*.txt"));
  ASSERT_EQ(Names(entries), (std::vector<AnsiString>{"file.txt", "folder.txt", "link.txt"}));
  EXPECT_FALSE(entries[0].directory);
  EXPECT_TRUE(entries[1].directory);
  EXPECT_FALSE(entries[2].directory);
}

TEST(Directory, ListsNamesThatTheCodePageCannotShowSoThatTheyOpen) {
  TempProgramDir dir;
  dir.Write("t/日本.txt", "1");
  dir.Write("t/bad\xff.txt", "2");
  dir.Write("t/Шаблон.txt", "3");
  std::vector<AnsiString> names = Names(ListDirectory(dir.Path("t/*.txt")));
  EXPECT_EQ(names, (std::vector<AnsiString>{"bad\x98" "FF.txt", Cp("Шаблон.txt"),
                                            "\x98" "E6\x98" "97\x98" "A5\x98" "E6\x98" "9C\x98" "AC.txt"}));
  std::string contents;
  for (const AnsiString& name : names) {
    std::FILE* file = OpenRegularFile(FromSystemPath(dir.Path("t/")) + name, "r");
    ASSERT_NE(file, nullptr) << name;
    contents += static_cast<char>(std::fgetc(file));
    std::fclose(file);
  }
  EXPECT_EQ(contents, "231");
}

TEST(Directory, FindsNothingWithoutAFolderOrAMask) {
  TempProgramDir dir;
  dir.Write("t/a.txt", "x");
  EXPECT_TRUE(ListDirectory(dir.Path("missing/*.txt")).empty());
  EXPECT_TRUE(ListDirectory(dir.Path("t/")).empty());
  EXPECT_TRUE(ListDirectory(dir.Path("t/a.txt/*")).empty());
  EXPECT_EQ(Names(ListDirectory(dir.Path("t/A.TXT"))), (std::vector<AnsiString>{"a.txt"}));
}
