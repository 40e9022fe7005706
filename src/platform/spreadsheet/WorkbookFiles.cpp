#include "platform/spreadsheet/WorkbookFiles.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#include "platform/Exception.h"
#include "platform/spreadsheet/Opener.h"
#include "platform/spreadsheet/SpreadsheetServer.h"
#include "platform/spreadsheet/WorkbookMessages.h"
#include "platform/spreadsheet/XlsxWriter.h"

namespace {

// System paths, UTF-8.
std::optional<std::string>& FolderForTesting() {
  static std::optional<std::string> folder;
  return folder;
}

std::string& RunFolder() {
  static std::string folder;
  return folder;
}

std::string& LastWritten() {
  static std::string path;
  return path;
}

// Still our own folder: a cleaner of the temporary folder may have taken it away.
bool IsOwnFolder(const std::string& folder) {
  struct stat st;
  return lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid();
}

// The run's private folder (mode 0700), made on first use, and again when it has gone; a
// folder that could not be made is tried again next time.
std::string WorkbookFolder(const std::string& fileName) {
  if (FolderForTesting()) return *FolderForTesting();
  std::string& folder = RunFolder();
  if (folder.empty() || !IsOwnFolder(folder)) {
    const char* tmp = std::getenv("TMPDIR");
    const bool fromTmpdir = tmp != nullptr && *tmp != '\0';
    const std::string temporary = fromTmpdir ? tmp : "/tmp";
    std::string pattern = temporary + "/kelvarn-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
      int error = errno;
      // The folder the user can mend; the name tried never existed.
      throw Exception(spreadsheet::FolderNotMadeMessage(fileName, temporary, fromTmpdir, error));
    }
    folder = pattern;
  }
  return folder;
}

std::function<void(double)>& WriteProgress() {
  static std::function<void(double)> progress;
  return progress;
}

// What writing takes, by the sheet's stored cells (its size in a number that costs nothing to
// get): as the run's last write that was told took, and at first what a journal takes on a
// usual machine.
double& SecondsPerCell() {
  static double seconds = 1e-6;
  return seconds;
}

constexpr std::chrono::milliseconds kTellEvery{100};

// Writes the sheet on a thread of its own while this one tells how far it has come: an
// estimate by the time gone, ever closer to the end and full only when the file is whole.
// Without a progress to tell, or a thread to spare, the sheet is written here.
void WriteTelling(const spreadsheet::Sheet& sheet, const std::string& path) {
  const std::function<void(double)> tell = WriteProgress();
  if (!tell) {
    spreadsheet::WriteSheetXlsx(sheet, path);
    return;
  }
  const auto start = std::chrono::steady_clock::now();
  auto elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
  // Read before the writer starts: the sheet is the writer's while it runs.
  const double cells = static_cast<double>(sheet.StoredCellCount() + 1);
  std::mutex mutex;
  std::condition_variable ended;
  bool done = false;
  std::exception_ptr failure;
  std::thread writer;
  try {
    writer = std::thread([&] {
      try {
        spreadsheet::WriteSheetXlsx(sheet, path);
      } catch (...) {
        failure = std::current_exception();
      }
      std::lock_guard lock(mutex);
      done = true;
      ended.notify_one();
    });
  } catch (const std::system_error&) {
    spreadsheet::WriteSheetXlsx(sheet, path);
    tell(1.0);
    return;
  }
  struct Join {
    std::thread& thread;
    ~Join() { thread.join(); }
  } join{writer};
  // At the time the write is expected to take, the estimate stands at 86%.
  const double pace = SecondsPerCell() * cells / 2;
  {
    std::unique_lock lock(mutex);
    while (!ended.wait_for(lock, kTellEvery, [&] { return done; })) {
      lock.unlock();
      tell(std::min(0.99, 1.0 - std::exp(-elapsed() / pace)));
      lock.lock();
    }
  }
  if (failure) std::rethrow_exception(failure);
  // A write too short to be told is mostly the cost of any file, whatever its cells: it
  // would teach a pace that keeps the next large one's estimate near its start.
  if (const double took = elapsed(); took >= std::chrono::duration<double>(kTellEvery).count())
    SecondsPerCell() = took / cells;
  tell(1.0);
}

}  // namespace

namespace spreadsheet {

void ShowWorkbook(const Workbook& workbook) {
  std::string path = WorkbookFolder(workbook.FileName());
  if (path.empty() || path.back() != '/') path += '/';
  path += workbook.FileName();
  WriteTelling(workbook.sheet, path);
  LastWritten() = path;
  StartOpener(path);
}

}  // namespace spreadsheet

void SetWorkbookFolderForTesting(const std::string& systemPath) {
  if (systemPath.empty())
    FolderForTesting().reset();
  else
    FolderForTesting() = systemPath;
}

std::string LastWrittenWorkbookSystemPath() { return LastWritten(); }

void SetWorkbookWriteProgress(std::function<void(double)> progress) { WriteProgress() = std::move(progress); }
