#include "platform/spreadsheet/WorkbookFiles.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "platform/CodePages.h"
#include "platform/Exception.h"
#include "platform/spreadsheet/Opener.h"
#include "platform/spreadsheet/SpreadsheetServer.h"
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

// The run's private folder (mode 0700), made on first use; a folder that could not be made
// is tried again next time.
std::string WorkbookFolder(const std::string& fileName) {
  if (FolderForTesting()) return *FolderForTesting();
  std::string& folder = RunFolder();
  if (folder.empty()) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/kelvarn-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
      int error = errno;
      throw Exception("Cannot write the workbook \"" + fileName + "\": cannot make a folder \"" +
                      Utf8ToAnsi(pattern) + "\": " + std::strerror(error));
    }
    folder = pattern;
  }
  return folder;
}

}  // namespace

namespace spreadsheet {

void ShowWorkbook(const Workbook& workbook) {
  const std::string path = WorkbookFolder(workbook.FileName()) + "/" + workbook.FileName();
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
