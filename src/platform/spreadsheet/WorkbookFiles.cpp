#include "platform/spreadsheet/WorkbookFiles.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>

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
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/kelvarn-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
      int error = errno;
      throw Exception(spreadsheet::FolderNotMadeMessage(fileName, pattern, error));
    }
    folder = pattern;
  }
  return folder;
}

}  // namespace

namespace spreadsheet {

void ShowWorkbook(const Workbook& workbook) {
  std::string path = WorkbookFolder(workbook.FileName());
  if (path.empty() || path.back() != '/') path += '/';
  path += workbook.FileName();
  WriteSheetXlsx(workbook.sheet, path);
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
