#include "platform/spreadsheet/WorkbookMessages.h"

#include <sys/wait.h>

#include <cerrno>
#include <cstring>

#include "platform/ProgramText.h"
#include "platform/System.h"

namespace spreadsheet {
namespace {

// «text», as Russian quotes a name.
AnsiString Quoted(const std::string& systemText) { return AnsiText("«") + FromSystemPath(systemText) + AnsiText("»"); }

// The errors a user meets here in their own words; the rest as the system words them.
AnsiString ErrorText(int error) {
  switch (error) {
    case ENOENT: return AnsiText("нет такого файла или папки");
    case EACCES:
    case EPERM: return AnsiText("нет прав доступа");
    case ENOSPC: return AnsiText("на диске нет свободного места");
    case EDQUOT: return AnsiText("исчерпана дисковая квота");
    case EROFS: return AnsiText("диск доступен только для чтения");
    case ENOTDIR: return AnsiText("часть пути не является папкой");
    case ENAMETOOLONG: return AnsiText("слишком длинный путь");
    default: return std::strerror(error);
  }
}

AnsiString NotOpened(const std::string& path, const AnsiString& why) {
  return AnsiText("Отчёт записан в файл\n") + Quoted(path) + AnsiText(",\nно ни одна программа его не открыла: ") + why +
         AnsiText(".\nОткройте этот файл в программе для таблиц вручную или назначьте такую программу для файлов .xlsx.");
}

}  // namespace

AnsiString FolderNotMadeMessage(const std::string& fileName, const std::string& folder, int error) {
  return AnsiText("Не удалось записать отчёт ") + Quoted(fileName) + AnsiText(": не создаётся папка ") + Quoted(folder) +
         " (" + ErrorText(error) +
         AnsiText(").\nПроверьте папку временных файлов (TMPDIR или /tmp): в неё должна быть разрешена запись, "
                  "а на её диске должно быть свободное место.");
}

AnsiString WorkbookNotWrittenMessage(const std::string& path, const std::string& reason) {
  return AnsiText("Не удалось записать отчёт в файл\n") + Quoted(path) + " (" + reason +
         AnsiText(").\nПроверьте, что на диске есть свободное место и в папку разрешена запись, и напечатайте отчёт "
                  "снова.");
}

AnsiString OpenerNotStartedMessage(const std::string& path, const std::string& opener, int error) {
  return NotOpened(path, AnsiText("программа ") + Quoted(opener) + AnsiText(" не запускается (") + ErrorText(error) + ")");
}

AnsiString OpenerFailedMessage(const std::string& path, const std::string& opener, int waitStatus) {
  const AnsiString how = WIFSIGNALED(waitStatus)
                             ? AnsiText(" прервана сигналом ") + std::to_string(WTERMSIG(waitStatus))
                             : AnsiText(" завершилась с кодом ") + std::to_string(WEXITSTATUS(waitStatus));
  return NotOpened(path, AnsiText("программа ") + Quoted(opener) + how);
}

}  // namespace spreadsheet
