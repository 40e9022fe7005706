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

AnsiString NotOpened(const std::string& path, const AnsiString& why) {
  return AnsiText("Отчёт записан в файл\n") + Quoted(path) + AnsiText(",\nно ни одна программа его не открыла: ") + why +
         AnsiText(".\nОткройте этот файл в программе для таблиц вручную или назначьте такую программу для файлов .xlsx.");
}

AnsiString NotWritten(const std::string& path) { return AnsiText("Не удалось записать отчёт в файл\n") + Quoted(path); }

AnsiString WhatToDo() {
  return AnsiText("Проверьте, что на диске есть свободное место и в папку разрешена запись, и напечатайте отчёт снова.");
}

// libxlsxwriter's texts end with a full stop of their own.
std::string WithoutFullStop(std::string text) {
  while (!text.empty() && (text.back() == '.' || text.back() == ' ')) text.pop_back();
  return text;
}

// What reading the file back found.
AnsiString FaultText(const PackageFault& fault, const SheetContent& handed) {
  const AnsiString part = AnsiText("его часть ") + Quoted(fault.part);
  switch (fault.kind) {
    case PackageFault::Unreadable:
      return fault.part.empty() ? AnsiText("архив не читается") : part + AnsiText(" не читается");
    case PackageFault::Checksum: return part + AnsiText(" не сходится со своей контрольной суммой");
    case PackageFault::Cut: return part + AnsiText(" оборвана");
    case PackageFault::Content: break;
  }
  return AnsiText("в листе строк ") + std::to_string(fault.found.rows) + AnsiText(" из ") + std::to_string(handed.rows) +
         AnsiText(", ячеек ") + std::to_string(fault.found.cells) + AnsiText(" из ") + std::to_string(handed.cells);
}

}  // namespace

AnsiString SystemErrorText(int error) {
  switch (error) {
    case ENOENT: return AnsiText("нет такого файла или папки");
    case EACCES:
    case EPERM: return AnsiText("нет прав доступа");
    case ENOSPC: return AnsiText("на диске нет свободного места");
    case EDQUOT: return AnsiText("исчерпана дисковая квота");
    case EFBIG: return AnsiText("файл больше допустимого размера");
    case EROFS: return AnsiText("диск доступен только для чтения");
    case ENOTDIR: return AnsiText("часть пути не является папкой");
    case ENAMETOOLONG: return AnsiText("слишком длинный путь");
    case EIO: return AnsiText("ошибка ввода-вывода на диске");
    default: return std::strerror(error);
  }
}

AnsiString FolderNotMadeMessage(const std::string& fileName, const std::string& temporaryFolder, bool fromTmpdir,
                                int error) {
  return AnsiText("Не удалось записать отчёт ") + Quoted(fileName) + AnsiText(": в папке временных файлов ") +
         Quoted(temporaryFolder) + (fromTmpdir ? " (TMPDIR)" : "") + AnsiText(" не создаётся папка для отчётов (") +
         SystemErrorText(error) + AnsiText(").\nПроверьте эту папку") +
         (fromTmpdir ? AnsiText(" или назовите другую в TMPDIR") : AnsiString()) +
         AnsiText(": в неё должна быть разрешена запись, а на её диске должно быть свободное место.");
}

AnsiString WorkbookNotWrittenMessage(const std::string& path, int error, const std::string& reason) {
  AnsiString message = NotWritten(path);
  if (error != 0) message += ": " + SystemErrorText(error);
  const std::string library = WithoutFullStop(reason);
  if (!library.empty()) message += " (" + library + ")";
  return message + ".\n" + WhatToDo();
}

AnsiString WorkbookIncompleteMessage(const std::string& path, int error, const PackageFault& fault,
                                     const SheetContent& handed) {
  AnsiString message = NotWritten(path) + ": ";
  if (error != 0) message += SystemErrorText(error) + AnsiText(", и ");
  return message + AnsiText("записанный файл оказался неполным (") + FaultText(fault, handed) +
         AnsiText("); файл не сохранён.\n") + WhatToDo();
}

AnsiString OpenerNotStartedMessage(const std::string& path, const std::string& opener, int error) {
  return NotOpened(path,
                   AnsiText("программа ") + Quoted(opener) + AnsiText(" не запускается (") + SystemErrorText(error) + ")");
}

AnsiString OpenerFailedMessage(const std::string& path, const std::string& opener, int waitStatus) {
  const AnsiString how = WIFSIGNALED(waitStatus)
                             ? AnsiText(" прервана сигналом ") + std::to_string(WTERMSIG(waitStatus))
                             : AnsiText(" завершилась с кодом ") + std::to_string(WEXITSTATUS(waitStatus));
  return NotOpened(path, AnsiText("программа ") + Quoted(opener) + how);
}

}  // namespace spreadsheet
