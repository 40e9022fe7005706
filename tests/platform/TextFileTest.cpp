#include <gtest/gtest.h>

#include <sys/stat.h>

#include <random>

#include <string>
#include <vector>

#include "platform/TextFile.h"
#include "support/TempProgramDir.h"

namespace {

std::vector<std::string> ReadAll(const TempProgramDir& dir, const std::string& bytes, size_t buffer) {
  dir.Write("f.txt", bytes);
  TextFile file;
  EXPECT_TRUE(file.Open(dir.Path("f.txt")));
  std::vector<std::string> lines;
  AnsiString line;
  while (file.ReadLine(line, buffer)) lines.push_back(line);
  return lines;
}

using Lines = std::vector<std::string>;
using namespace std::string_literals;

}  // namespace

TEST(TextFile, ReadsLikeWindowsTextModeFgets) {
  TempProgramDir dir;
  struct Case {
    std::string bytes;
    size_t buffer;
    Lines expected;
  } cases[] = {
      {"", 8, {}},
      {"a\nb\n", 8, {"a\n", "b\n"}},
      {"a\r\nb", 8, {"a\n", "b"}},
      {"a\rb\r\r\n", 8, {"ab\n"}},
      {"abcdefghij\n", 5, {"abcd", "efgh", "ij\n"}},
      // Exactly size - 1 bytes before the line feed: the line feed comes as a read of its own.
      {"abcd\nx", 5, {"abcd", "\n", "x"}},
      // Carriage returns do not count toward the buffer.
      {"ab\r\rcd\n", 5, {"abcd", "\n"}},
      {"a\nb\x1A" "c\nd\n", 8, {"a\n", "b"}},
      {"\x1A" "abc", 8, {}},
      // A NUL ends the text of the read; the bytes after it still count.
      {"ab\0cd\nef\n"s, 8, {"ab", "ef\n"}},
      {"ab\0cdefgh\n"s, 5, {"ab", "defg", "h\n"}},
      {"\0x\n"s, 8, {""}},
      {"\n\n", 8, {"\n", "\n"}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadAll(dir, c.bytes, c.buffer), c.expected) << c.bytes;
}

TEST(TextFile, OpensRegularFilesOnly) {
  TempProgramDir dir;
  TextFile file;
  EXPECT_FALSE(file.Open(dir.Path("missing.txt")));
  dir.MakeDir("folder.txt");
  EXPECT_FALSE(file.Open(dir.Path("folder.txt")));
  ASSERT_EQ(mkfifo(dir.Path("pipe.txt").c_str(), 0600), 0);
  EXPECT_FALSE(file.Open(dir.Path("pipe.txt"))) << "a pipe must neither open nor block";
  EXPECT_FALSE(file.Open("/dev/null"));
  EXPECT_FALSE(file.Open(""));
}

TEST(TextFile, PathsAreAnsiTextConvertedForTheSystem) {
  TempProgramDir dir;
  dir.Write("Отчёт.csv", "x\n");
  TextFile file;
  ASSERT_TRUE(file.Open(Cp(dir.Path("Отчёт.csv").c_str())));
  AnsiString line;
  ASSERT_TRUE(file.ReadLine(line, 2048));
  EXPECT_EQ(line, "x\n");
  // The UTF-8 bytes of the name are no 1251 name of that file.
  EXPECT_FALSE(file.Open(dir.Path("Отчёт.csv")));
  // 0x98 is no character in 1251, so no name on the system.
  EXPECT_FALSE(file.Open(dir.Dir() + "\x98.csv"));
}

namespace {

// Text-mode fgets one byte at a time, as the C runtime reads: the reference for any input.
Lines ByteByByte(const std::string& bytes, size_t buffer) {
  Lines lines;
  size_t at = 0;
  bool ended = false;
  auto next = [&]() -> int {
    while (!ended && at < bytes.size()) {
      char c = bytes[at++];
      if (c == '\x1A') break;
      if (c != '\r') return static_cast<unsigned char>(c);
    }
    ended = true;
    return -1;
  };
  while (true) {
    std::string line;
    size_t count = 0;
    bool nul = false, any = false;
    while (count < buffer - 1) {
      int c = next();
      if (c < 0) break;
      any = true;
      ++count;
      if (c == 0) nul = true;
      if (!nul) line += static_cast<char>(c);
      if (c == '\n') break;
    }
    if (!any) return lines;
    lines.push_back(line);
  }
}

}  // namespace

TEST(TextFile, ReadsAnyBytesAsTheByteByByteReaderDoes) {
  TempProgramDir dir;
  std::mt19937 random(3);
  const char pool[] = {'a', 'b', '\n', '\r', '\0', '\x1A', ',', '\xCC'};
  for (int run = 0; run < 400; ++run) {
    std::string bytes;
    const size_t length = run % 10 == 0 ? 70000 + random() % 70000 : random() % 40;  // past a block, too
    for (size_t i = 0; i < length; ++i) bytes += pool[random() % (run % 2 ? 8 : 5)];
    const size_t buffer = run % 3 == 0 ? 2048 : 2 + random() % 6;
    ASSERT_EQ(ReadAll(dir, bytes, buffer), ByteByByte(bytes, buffer)) << "run " << run;
  }
}
