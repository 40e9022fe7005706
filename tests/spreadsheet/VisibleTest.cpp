#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>

#include "WorkbookOutput.h"
#include "automation/FailureOf.h"
#include "platform/CodePages.h"
#include "platform/Exception.h"
#include "platform/automation/ProgIds.h"
#include "platform/spreadsheet/Application.h"
#include "platform/spreadsheet/SpreadsheetServer.h"

namespace fs = std::filesystem;

namespace {

Variant NewApplicationWithWorkbook() {
  Variant app = CreateObject("Excel.Application");
  app.GetProperty("WorkBooks").CallMethod("add");
  app.GetProperty("WorkSheets", 1).GetProperty("Range", u"A1").SetProperty("Value", u"x");
  return app;
}

// Waits up to five seconds for a condition that a detached process brings about.
bool Eventually(const std::function<bool()>& condition) {
  for (int i = 0; i < 500; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return condition();
}

// Children of this process that have ended and are not reaped.
int Zombies() {
  int zombies = 0;
  for (const auto& entry : fs::directory_iterator("/proc")) {
    std::ifstream stat(entry.path() / "stat");
    std::string line;
    if (!std::getline(stat, line)) continue;
    auto close = line.rfind(')');
    if (close == std::string::npos) continue;
    char state = 0;
    int parent = 0;
    if (std::sscanf(line.c_str() + close + 1, " %c %d", &state, &parent) == 2 && parent == getpid() && state == 'Z')
      ++zombies;
  }
  return zombies;
}

std::string WriteScript(const WorkbookOutput& output, const std::string& name, const std::string& body) {
  std::string path = output.Folder() + name;
  std::ofstream(path) << "#!/bin/sh\n" << body;
  chmod(path.c_str(), 0755);
  return path;
}

}  // namespace

TEST(Visible, WritesTheActiveWorkbookAndHandsItToTheOpener) {
  WorkbookOutput output;
  std::string record = output.Folder() + "opened.txt";
  std::string opener = WriteScript(output, "opener.sh", "echo \"$#|$1\" > '" + record + "'\n");
  setenv("KELVARN_OPENER", opener.c_str(), 1);

  Variant app = NewApplicationWithWorkbook();
  app.SetProperty("Visible", true);
  std::string written = LastWrittenWorkbookSystemPath();
  EXPECT_EQ(fs::path(written).parent_path(), fs::path(output.Folder()).parent_path());
  EXPECT_TRUE(fs::is_regular_file(written));
  std::string name = fs::path(written).filename();
  EXPECT_EQ(name.rfind("Book", 0), 0u);
  EXPECT_EQ(fs::path(name).extension(), ".xlsx");
  ASSERT_TRUE(Eventually([&] { return fs::exists(record) && fs::file_size(record) > 0; }));
  std::string line;
  std::getline(std::ifstream(record), line);
  EXPECT_EQ(line, "1|" + written);  // the file is its only argument
  EXPECT_FALSE(fs::exists(written + ".part"));
}

TEST(Visible, EachWorkbookHasAFileOfItsOwn) {
  WorkbookOutput output;
  Variant app = NewApplicationWithWorkbook();
  app.SetProperty("Visible", true);
  std::string first = LastWrittenWorkbookSystemPath();
  app.GetProperty("WorkBooks").CallMethod("add");
  app.SetProperty("Visible", true);
  std::string second = LastWrittenWorkbookSystemPath();
  NewApplicationWithWorkbook().SetProperty("Visible", true);
  std::string third = LastWrittenWorkbookSystemPath();
  auto number = [](const std::string& path) { return std::stoi(fs::path(path).stem().string().substr(4)); };
  EXPECT_EQ(number(second), number(first) + 1);
  EXPECT_EQ(number(third), number(second) + 1);
  for (const auto& path : {first, second, third}) EXPECT_TRUE(fs::is_regular_file(path)) << path;
}

TEST(Visible, FalseOrNoWorkbookWritesNothing) {
  WorkbookOutput output;
  std::string before = LastWrittenWorkbookSystemPath();
  NewApplicationWithWorkbook().SetProperty("Visible", false);
  CreateObject("Excel.Application").SetProperty("Visible", true);
  EXPECT_EQ(LastWrittenWorkbookSystemPath(), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(output.Folder()), fs::directory_iterator()), 0);
}

TEST(Visible, TheOpenerIsReapedWithoutTheCallerWaiting) {
  WorkbookOutput output;
  std::string slow = WriteScript(output, "slow.sh", "sleep 1\n");
  setenv("KELVARN_OPENER", slow.c_str(), 1);
  auto start = std::chrono::steady_clock::now();
  NewApplicationWithWorkbook().SetProperty("Visible", true);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(800));
  setenv("KELVARN_OPENER", "/bin/true", 1);
  for (int i = 0; i < 3; ++i) NewApplicationWithWorkbook().SetProperty("Visible", true);
  std::this_thread::sleep_for(std::chrono::milliseconds(1200));
  EXPECT_TRUE(Eventually([] { return Zombies() == 0; }));
}

TEST(Visible, AnOpenerThatCannotStartNamesTheFileAndTheFileStays) {
  WorkbookOutput output("/nonexistent/kelvarn-opener");
  Variant app = NewApplicationWithWorkbook();
  AnsiString failure = FailureOf([&] { app.SetProperty("Visible", true); });
  std::string written = LastWrittenWorkbookSystemPath();
  EXPECT_NE(failure.find(written), AnsiString::npos) << failure;
  EXPECT_NE(failure.find("/nonexistent/kelvarn-opener"), AnsiString::npos) << failure;
  // In the user's words: the report is there, and why no program opened it.
  for (const char* part : {"Отчёт записан в файл", "не запускается (нет такого файла или папки)"})
    EXPECT_NE(failure.find(Utf8ToAnsi(part)), AnsiString::npos) << part << "\n" << AnsiToUtf8(failure);
  EXPECT_TRUE(fs::is_regular_file(written));
}

// The opener holds no descriptor of the program but its standard input (nothing to read),
// output and error: not a file the program has open, and so no space of a failed write.
TEST(Visible, AnOpenerHasOnlyItsStandardInputOutputAndError) {
  WorkbookOutput output;
  const std::string record = output.Folder() + "descriptors.txt";
  // What the opener has open, as a program it runs in its place sees it.
  const std::string opener = WriteScript(output, "opener.sh", "exec ls -l /proc/self/fd > '" + record + "'\n");
  setenv("KELVARN_OPENER", opener.c_str(), 1);
  output.Dir().Write("held-open.txt", "x");
  const int held = open((output.Folder() + "held-open.txt").c_str(), O_RDONLY);  // inheritable
  ASSERT_GE(held, 3);
  NewApplicationWithWorkbook().SetProperty("Visible", true);
  close(held);
  ASSERT_TRUE(Eventually([] { return RunningOpeners() == 0; }));
  std::map<int, std::string> open;
  std::ifstream listing(record);
  for (std::string line; std::getline(listing, line);) {
    const std::size_t arrow = line.find(" -> ");
    if (arrow == std::string::npos) continue;
    const std::size_t number = line.rfind(' ', arrow - 1) + 1;
    const std::string target = line.substr(arrow + 4);
    // But for the listing's own.
    if (!target.starts_with("/proc/")) open[std::stoi(line.substr(number, arrow - number))] = target;
  }
  ASSERT_EQ(open.size(), 3u) << ReadFileBytes(record);
  EXPECT_EQ(open[0], "/dev/null");
  EXPECT_TRUE(open.count(1) && open.count(2)) << ReadFileBytes(record);
}

// While a workbook is written its progress is told on the thread that made it visible: an
// estimate by the time gone, at the pace that the last write long enough to be told had per
// stored cell, rising and short of the end until the file is whole, and then the end. Written
// after a sheet a quarter its size, a sheet's progress starts low and ends near, not at, the
// estimate's bound of 99%: the pace was learnt, scaled by the cells, and not spoilt by a tiny
// write between, which takes mostly what any file takes. Cells of long texts cost far more
// than a journal's, which the pace of a first write takes.
TEST(Visible, TheWritingOfAWorkbookIsToldAsItGoesOn) {
  WorkbookOutput output;
  const WideString text(2000, u'ж');
  auto write = [&](const char16_t* range) {
    Variant app = CreateObject("Excel.Application");
    app.GetProperty("WorkBooks").CallMethod("add");
    app.GetProperty("WorkSheets", 1).GetProperty("Range", range).SetProperty("Value", text);
    std::vector<double> told;
    bool here = true;
    const std::thread::id self = std::this_thread::get_id();
    SetWorkbookWriteProgress([&](double done) {
      told.push_back(done);
      here = here && std::this_thread::get_id() == self;
    });
    app.SetProperty("Visible", true);
    SetWorkbookWriteProgress({});
    EXPECT_TRUE(fs::is_regular_file(LastWrittenWorkbookSystemPath()));
    EXPECT_TRUE(here);
    return told;
  };
  write(u"A1:J1000");  // a first write, whose pace is learnt by the next
  write(u"A1:J1000");
  write(u"A1");
  const std::vector<double> told = write(u"A1:J4000");
  ASSERT_GE(told.size(), 3u);
  EXPECT_EQ(told.back(), 1.0);
  for (size_t i = 1; i + 1 < told.size(); ++i) EXPECT_GT(told[i], told[i - 1]) << i;
  EXPECT_LT(told.front(), 0.5);
  const double last = told[told.size() - 2];  // the estimate when the file was whole
  EXPECT_GT(last, 0.5);
  EXPECT_LT(last, 0.985);
}

// An opener that starts and then fails is told to the user, naming the workbook, the opener and
// its status; one that ends with 0 or is still running is success. The caller never waits, and
// the notifier (the windows' way to learn of it) is called once for each failure.
TEST(Visible, AnOpenerThatEndsBadlyIsReportedOnceItHasEnded) {
  WorkbookOutput output;
  std::atomic<int> notified = 0;
  SetOpenerFailureNotifier([&] { ++notified; });
  struct Case {
    const char* script;
    const char* status;  // in the message; null for success
    bool running;        // still running when the print is done
  };
  const Case cases[] = {
      {"exit 3\n", "завершилась с кодом 3", false},
      {"kill -9 $$\n", "прервана сигналом 9", false},
      {"exit 0\n", nullptr, false},
      {"sleep 1\nexit 0\n", nullptr, true},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    const std::string opener = WriteScript(output, "opener" + std::to_string(++n) + ".sh", c.script);
    setenv("KELVARN_OPENER", opener.c_str(), 1);
    auto start = std::chrono::steady_clock::now();
    NewApplicationWithWorkbook().SetProperty("Visible", true);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(800));
    const std::string written = LastWrittenWorkbookSystemPath();
    if (c.running) {
      EXPECT_EQ(RunningOpeners(), 1);
    }
    ASSERT_TRUE(Eventually([] { return RunningOpeners() == 0; }));
    const std::vector<AnsiString> failures = TakeOpenerFailures();
    EXPECT_EQ(notified.exchange(0), static_cast<int>(failures.size()));
    if (c.status == nullptr) {
      EXPECT_TRUE(failures.empty()) << failures.front();
      continue;
    }
    ASSERT_EQ(failures.size(), 1u);
    for (const std::string& part : {written, opener, std::string(c.status), std::string("Отчёт записан в файл")})
      EXPECT_NE(failures[0].find(Utf8ToAnsi(part)), AnsiString::npos) << part << "\n" << AnsiToUtf8(failures[0]);
    EXPECT_TRUE(fs::is_regular_file(written));
  }
  SetOpenerFailureNotifier({});
}

// A workbook that cannot be written, in a folder that cannot take it or that cannot be made,
// is told in the user's words with the file and where it was to go; no opener starts.
TEST(Visible, AWorkbookThatCannotBeWrittenNamesTheFileAndStartsNoOpener) {
  WorkbookOutput output;
  std::string record = output.Folder() + "opened.txt";
  setenv("KELVARN_OPENER", WriteScript(output, "opener.sh", "touch '" + record + "'\n").c_str(), 1);
  output.Dir().Write("plain-file", "x");
  const std::string under = output.Folder() + "plain-file/";  // a folder under a regular file
  struct Case {
    const char* what;
    std::function<void()> arrange;
    std::vector<std::string> parts;
  };
  const Case cases[] = {
      {"the workbook's folder", [&] { SetWorkbookFolderForTesting(under + "sub"); },
       {"Не удалось записать отчёт в файл", under + "sub/Book", ".xlsx", "Проверьте"}},
      {"the run's folder",
       [&] {
         SetWorkbookFolderForTesting("");
         setenv("TMPDIR", under.c_str(), 1);
       },
       // The folder named is the one the user can mend: the name tried with its random
       // suffix never existed.
       {"Не удалось записать отчёт «Book", "в папке временных файлов «" + under + "» (TMPDIR) не создаётся папка",
        "(часть пути не является папкой)", "назовите другую в TMPDIR"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.arrange();
    std::string before = LastWrittenWorkbookSystemPath();
    Variant app = NewApplicationWithWorkbook();
    AnsiString failure = FailureOf([&] { app.SetProperty("Visible", true); });
    unsetenv("TMPDIR");
    SetWorkbookFolderForTesting(output.Folder());
    for (const std::string& part : c.parts)
      EXPECT_NE(failure.find(Utf8ToAnsi(part)), AnsiString::npos) << part << "\n" << AnsiToUtf8(failure);
    EXPECT_EQ(LastWrittenWorkbookSystemPath(), before);
    EXPECT_FALSE(std::dynamic_pointer_cast<spreadsheet::Application>(app.AsObject())->Visible());
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_FALSE(fs::exists(record));
}

TEST(Visible, WithoutATestFolderTheRunHasAPrivateFolderOfItsOwn) {
  WorkbookOutput output;
  setenv("TMPDIR", output.Folder().c_str(), 1);
  SetWorkbookFolderForTesting("");
  NewApplicationWithWorkbook().SetProperty("Visible", true);
  fs::path firstFile = LastWrittenWorkbookSystemPath();
  NewApplicationWithWorkbook().SetProperty("Visible", true);
  fs::path secondFile = LastWrittenWorkbookSystemPath();
  unsetenv("TMPDIR");
  fs::path first = firstFile.parent_path(), second = secondFile.parent_path();
  EXPECT_EQ(first, second);
  EXPECT_EQ(first.filename().string().rfind("kelvarn-", 0), 0u) << first;
  struct stat st;
  ASSERT_EQ(stat(first.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  if (first.parent_path() != fs::path(output.Folder()).parent_path()) {
    // Made elsewhere by an earlier test of this run: take away only what this test put there.
    fs::remove(firstFile);
    fs::remove(secondFile);
  }
}

TEST(Visible, ARunFolderThatHasGoneIsMadeAgain) {
  WorkbookOutput output;
  setenv("TMPDIR", output.Folder().c_str(), 1);
  SetWorkbookFolderForTesting("");
  NewApplicationWithWorkbook().SetProperty("Visible", true);
  fs::path first = fs::path(LastWrittenWorkbookSystemPath()).parent_path();
  fs::remove_all(first);  // as a cleaner of the temporary folder does
  NewApplicationWithWorkbook().SetProperty("Visible", true);
  unsetenv("TMPDIR");
  EXPECT_TRUE(fs::is_regular_file(LastWrittenWorkbookSystemPath()));
  EXPECT_EQ(fs::path(LastWrittenWorkbookSystemPath()).parent_path().parent_path(), fs::path(output.Folder()).parent_path());
}
