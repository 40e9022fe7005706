#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>

#include "PackageParts.h"
#include "ReadBack.h"
#include "WorkbookOutput.h"
#include "automation/FailureOf.h"
#include "platform/CodePages.h"
#include "platform/System.h"
#include "platform/automation/ProgIds.h"
#include "platform/spreadsheet/SpreadsheetServer.h"
#include "platform/spreadsheet/WorkbookMessages.h"
#include "platform/spreadsheet/XlsxCheck.h"
#include "support/ChildProcess.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRows = 2000;
constexpr int kColumns = 12;

// A workbook a seventh the size of a day's journal: rows of texts that differ as a journal's
// do, so that it packs as one does. Made visible, it is written.
Variant JournalLikeWorkbook() {
  Variant app = CreateObject("Excel.Application");
  app.GetProperty("WorkBooks").CallMethod("add");
  Variant cells = app.GetProperty("WorkSheets", 1).GetProperty("Cells");
  for (int row = 1; row <= kRows; ++row)
    for (int column = 1; column <= kColumns; ++column) {
      const std::string text = std::to_string(row * 7919 % 10007) + " проба " + std::to_string(column);
      cells.GetProperty("Item", row, column).SetProperty("Value", Utf8ToUtf16(text));
    }
  return app;
}

// What came of making a workbook visible: the file written, or the message of its failure.
struct Outcome {
  bool written = false;
  std::string path;     // system path
  std::string message;  // UTF-8
};

Outcome Show(const Variant& app) {
  Outcome outcome;
  const AnsiString failure = FailureOf([&] { app.SetProperty("Visible", true); });
  outcome.written = failure == "no failure";
  if (outcome.written) {
    outcome.path = LastWrittenWorkbookSystemPath();
  } else {
    // The file that the message names.
    outcome.message = AnsiToUtf8(failure);
    const std::size_t open = outcome.message.find("«"), close = outcome.message.find("»");
    if (open != std::string::npos && close != std::string::npos)
      outcome.path = outcome.message.substr(open + 2, close - open - 2);
  }
  return outcome;
}

// An outcome through the pipe of a child process.
std::string Encoded(const Outcome& outcome) {
  return std::string(outcome.written ? "1" : "0") + outcome.path + '\n' + outcome.message;
}
Outcome Decoded(const std::string& text) {
  Outcome outcome;
  const std::size_t line = text.find('\n');
  if (text.empty() || line == std::string::npos) return outcome;
  outcome.written = text[0] == '1';
  outcome.path = text.substr(1, line - 1);
  outcome.message = text.substr(line + 1);
  return outcome;
}

// What making the workbook visible comes to under a file-size limit.
Outcome ShowUnderFileSizeLimit(const Variant& app, unsigned long long bytes) {
  const FileSizeLimit limit(bytes);
  return Show(app);
}

// The open descriptors of this process, each with what it leads to.
std::map<int, std::string> OpenDescriptors() {
  std::map<int, std::string> open;
  for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
    std::error_code ec;
    const fs::path target = fs::read_symlink(entry.path(), ec);
    // But for the listing's own.
    if (!ec && !target.string().starts_with("/proc/")) open[std::stoi(entry.path().filename().string())] = target.string();
  }
  return open;
}

std::string Listed(const std::map<int, std::string>& descriptors) {
  std::string text;
  for (const auto& [fd, target] : descriptors) text += std::to_string(fd) + " " + target + "\n";
  return text;
}

// What a test needs to know of the package that the workbook makes where nothing limits it.
struct Sizes {
  std::uint64_t package = 0;  // the file
  std::uint64_t sheet = 0;    // the sheet's XML
};

Sizes WriteOnceUnlimited(const Variant& app) {
  Sizes sizes;
  const Outcome outcome = Show(app);
  EXPECT_TRUE(outcome.written) << outcome.message;
  sizes.package = fs::file_size(outcome.path);
  sizes.sheet = PartOf(ReadPackageParts(outcome.path), spreadsheet::kSheetPart).size();
  fs::remove(outcome.path);
  return sizes;
}

// A workbook either is whole, every cell in it, or is not there, and the user reads why. Its
// path begins as given.
void ExpectWholeOrTold(const Outcome& outcome, const std::string& under, const char* cause) {
  EXPECT_TRUE(outcome.path.starts_with(under)) << outcome.path;
  if (outcome.written) {
    const ReadBack read = ReadXlsx(outcome.path);
    ASSERT_TRUE(read.ok) << read.output.substr(0, 2000);
    EXPECT_EQ(read.cells.size(), static_cast<std::size_t>(kRows * kColumns));
    EXPECT_EQ(read.Cell("L2000").type, "str");
    return;
  }
  for (const std::string& part : {std::string("Не удалось записать отчёт в файл"), std::string(cause)})
    EXPECT_NE(outcome.message.find(part), std::string::npos) << part << "\n" << outcome.message;
  EXPECT_EQ(outcome.message.find(".)."), std::string::npos) << outcome.message;
  EXPECT_FALSE(fs::exists(outcome.path));
  EXPECT_FALSE(fs::exists(outcome.path + ".part"));
}

// A tmpfs of that size mounted on a folder; needs the right to mount.
class SmallDisk {
 public:
  SmallDisk(const std::string& folder, std::uint64_t bytes) : folder_(folder) {
    fs::create_directories(folder);
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0700";
    mounted_ = mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
    error_ = errno;
  }
  ~SmallDisk() {
    if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool Mounted() const { return mounted_; }
  int Error() const { return error_; }
  // Bytes that files take on it.
  std::uint64_t Used() const {
    struct statvfs disk;
    if (statvfs(folder_.c_str(), &disk) != 0) return ~std::uint64_t{0};
    return static_cast<std::uint64_t>(disk.f_blocks - disk.f_bfree) * disk.f_frsize;
  }

 private:
  std::string folder_;
  bool mounted_ = false;
  int error_ = 0;
};

}  // namespace

// Under a file-size limit each file that the write makes is cut where the limit stands: the
// package (its write fails, and libxlsxwriter says so), or one of its temporary files (it does
// not say so, and the package is sound but for what it holds). From a limit that cuts only the
// last byte of the sheet to one far below the package, no write is a success unless its file
// is whole; the user reads that the file was too large.
TEST(WriteFailure, UnderAFileSizeLimitAWorkbookIsWholeOrTheUserIsToldItWasNot) {
  WorkbookOutput output;
  const Variant app = JournalLikeWorkbook();
  const Sizes sizes = WriteOnceUnlimited(app);
  ASSERT_GT(sizes.sheet, 4 * sizes.package);
  const std::uint64_t limits[] = {4096,
                                  sizes.package / 2,
                                  sizes.package + (sizes.sheet - sizes.package) / 3,
                                  (sizes.package + sizes.sheet) / 2,
                                  sizes.sheet - 1,
                                  sizes.sheet};
  int written = 0;
  for (const std::uint64_t limit : limits) {
    SCOPED_TRACE("limit " + std::to_string(limit));
    const ChildResult child = RunInChild([&] {
      signal(SIGXFSZ, SIG_IGN);
      return Encoded(ShowUnderFileSizeLimit(app, limit));
    });
    ASSERT_TRUE(child.Exited()) << child.How();
    const Outcome outcome = Decoded(child.output);
    ExpectWholeOrTold(outcome, output.Folder(), "файл больше допустимого размера");
    written += outcome.written;
  }
  // Only the limit that the sheet fits leaves a workbook.
  EXPECT_EQ(written, 1);
}

// The file-size limit as the program found it: SIGXFSZ would end the process at the first
// write past the limit. Set up as start-up does, the write fails and the program goes on.
TEST(WriteFailure, AFileSizeLimitNeverEndsTheProgram) {
  WorkbookOutput output;
  const Variant app = JournalLikeWorkbook();
  const ChildResult child = RunInChild([&] {
    signal(SIGXFSZ, SIG_DFL);
    SetUpProcessSignals();
    const Outcome outcome = ShowUnderFileSizeLimit(app, 64 * 1024);
    // And it goes on: the next workbook, with room for it, is written.
    app.GetProperty("WorkBooks").CallMethod("add");
    return Encoded(outcome) + "\n---\n" + Encoded(Show(app));
  });
  ASSERT_TRUE(child.Exited()) << child.How();
  const std::size_t split = child.output.find("\n---\n");
  ASSERT_NE(split, std::string::npos) << child.output;
  const Outcome limited = Decoded(child.output.substr(0, split));
  EXPECT_FALSE(limited.written);
  ExpectWholeOrTold(limited, output.Folder(), "файл больше допустимого размера");
  EXPECT_TRUE(Decoded(child.output.substr(split + 5)).written);
}

// libxlsxwriter's error path leaves its temporary file open, holding its space until the
// program ends. After a failed write the process holds what it held before, nothing more.
TEST(WriteFailure, AFailedWriteLeavesNoDescriptorOpen) {
  WorkbookOutput output;
  const Variant app = JournalLikeWorkbook();
  const ChildResult child = RunInChild([&] {
    signal(SIGXFSZ, SIG_IGN);
    const std::map<int, std::string> before = OpenDescriptors();
    // The package's write fails as the sheet goes into it: the error path that leaves the
    // sheet's temporary file open.
    const Outcome outcome = ShowUnderFileSizeLimit(app, 400);
    const std::map<int, std::string> after = OpenDescriptors();
    return Encoded(outcome) + "\n---\n" + Listed(before) + "---\n" + Listed(after);
  });
  ASSERT_TRUE(child.Exited()) << child.How();
  const std::size_t first = child.output.find("\n---\n");
  const std::size_t second = child.output.find("---\n", first + 5);
  ASSERT_NE(second, std::string::npos) << child.output;
  EXPECT_FALSE(Decoded(child.output.substr(0, first)).written);
  const std::string before = child.output.substr(first + 5, second - first - 5);
  const std::string after = child.output.substr(second + 4);
  EXPECT_EQ(after, before);
}

// On a nearly full disk the write's temporary files are cut wherever the room ends: the
// package, or the sheet assembled from its rows (cut in its middle, for its rows' file is let
// go while its end is written, and the package is then sound but for what the sheet holds).
// At every size no write is a success unless its file is whole, the user reads that the disk
// is full, and nothing of a failed write stays on the disk. The disk is the one TMPDIR names,
// where the run makes its folder. Needs the right to mount a tmpfs.
TEST(WriteFailure, OnANearlyFullDiskAWorkbookIsWholeOrTheUserIsToldItWasNot) {
  WorkbookOutput output;
  const Variant app = JournalLikeWorkbook();
  const Sizes sizes = WriteOnceUnlimited(app);
  const std::string disk = output.Folder() + "disk";
  {
    SmallDisk probe(disk, 1 << 20);
    if (!probe.Mounted()) GTEST_SKIP() << "cannot mount a tmpfs: " << std::strerror(probe.Error());
  }
  SetWorkbookFolderForTesting("");
  setenv("TMPDIR", disk.c_str(), 1);
  const std::uint64_t sheet = sizes.sheet, package = sizes.package;
  const std::uint64_t room[] = {package / 2,         package + sheet / 3,     package + sheet,
                                package + sheet * 3 / 2, package + sheet * 9 / 5, 2 * sheet + 2 * package + (256 << 10)};
  int written = 0, incomplete = 0;
  for (const std::uint64_t bytes : room) {
    SCOPED_TRACE("room " + std::to_string(bytes));
    SmallDisk small(disk, bytes);
    ASSERT_TRUE(small.Mounted());
    const Outcome outcome = Show(app);
    ExpectWholeOrTold(outcome, disk + "/kelvarn-", "на диске нет свободного места");
    if (outcome.written) {
      ++written;
      fs::remove(outcome.path);
    }
    incomplete += outcome.message.find("оказался неполным") != std::string::npos;
    // Nothing of the write holds room any longer: no file and no descriptor.
    EXPECT_EQ(small.Used(), 0u);
  }
  unsetenv("TMPDIR");
  SetWorkbookFolderForTesting(output.Folder());
  EXPECT_EQ(written, 1);
  // The sheet cut in its middle came about, and only reading the package back found it.
  EXPECT_GE(incomplete, 1);
}

// The user reads the cause of a failure in their words: the system's error as Russian words
// for what they can mend, libxlsxwriter's text at most in brackets, with one full stop.
TEST(WriteFailure, TheCauseIsToldInTheUsersWords) {
  const struct {
    int error;
    const char* words;
  } errors[] = {
      {ENOSPC, "на диске нет свободного места"},
      {EDQUOT, "исчерпана дисковая квота"},
      {EFBIG, "файл больше допустимого размера"},
      {EACCES, "нет прав доступа"},
      {EPERM, "нет прав доступа"},
      {EROFS, "диск доступен только для чтения"},
      {ENOENT, "нет такого файла или папки"},
      {ENOTDIR, "часть пути не является папкой"},
  };
  for (const auto& e : errors) {
    SCOPED_TRACE(e.words);
    EXPECT_EQ(AnsiToUtf8(spreadsheet::SystemErrorText(e.error)), e.words);
    const std::string message = AnsiToUtf8(spreadsheet::WorkbookNotWrittenMessage(
        "/tmp/kelvarn-a/Book1.xlsx", e.error, "Zip generic error ZIP_ERRNO while creating the xlsx file."));
    EXPECT_NE(message.find("«/tmp/kelvarn-a/Book1.xlsx»: " + std::string(e.words) +
                           " (Zip generic error ZIP_ERRNO while creating the xlsx file).\n"),
              std::string::npos)
        << message;
  }
  // Without an errno, libxlsxwriter's own text alone.
  const std::string library = AnsiToUtf8(spreadsheet::WorkbookNotWrittenMessage("/b/Book2.xlsx", 0, "Memory error."));
  EXPECT_NE(library.find("«/b/Book2.xlsx» (Memory error).\n"), std::string::npos) << library;

  // A package found not whole: the cause and what is missing.
  spreadsheet::PackageFault fault;
  fault.kind = spreadsheet::PackageFault::Content;
  fault.part = spreadsheet::kSheetPart;
  fault.found = {1203, 14436};
  const std::string incomplete =
      AnsiToUtf8(spreadsheet::WorkbookIncompleteMessage("/b/Book3.xlsx", ENOSPC, fault, {14286, 171432}));
  EXPECT_NE(incomplete.find("«/b/Book3.xlsx»: на диске нет свободного места, и записанный файл оказался неполным "
                            "(в листе строк 1203 из 14286, ячеек 14436 из 171432); файл не сохранён.\n"),
            std::string::npos)
      << incomplete;

  // The folder that cannot be made is named as the user can mend it.
  const std::string tmp = AnsiToUtf8(spreadsheet::FolderNotMadeMessage("Book1.xlsx", "/tmp", false, EACCES));
  EXPECT_NE(tmp.find("в папке временных файлов «/tmp» не создаётся папка для отчётов (нет прав доступа).\n"),
            std::string::npos)
      << tmp;
  EXPECT_EQ(tmp.find("TMPDIR"), std::string::npos) << tmp;
  const std::string named = AnsiToUtf8(spreadsheet::FolderNotMadeMessage("Book1.xlsx", "/srv/tmp", true, ENOSPC));
  EXPECT_NE(named.find("«/srv/tmp» (TMPDIR) не создаётся папка для отчётов (на диске нет свободного места)"),
            std::string::npos)
      << named;
  EXPECT_NE(named.find("назовите другую в TMPDIR"), std::string::npos) << named;
}
