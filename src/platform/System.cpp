#include "platform/System.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <optional>

#include "platform/CodePages.h"

namespace {

std::optional<AnsiString>& ModulePathOverride() {
  static std::optional<AnsiString> path;
  return path;
}

std::vector<WideString>& Arguments() {
  static std::vector<WideString> arguments;
  return arguments;
}

}  // namespace

AnsiString GetModuleFileName() {
  if (ModulePathOverride()) return *ModulePathOverride();
  char buffer[PATH_MAX + 1];
  ssize_t n = readlink("/proc/self/exe", buffer, PATH_MAX);
  if (n <= 0) return AnsiString();
  AnsiString path;
  // A path 1251 cannot show still names the folder as well as it can.
  if (!FromSystemPath(std::string(buffer, static_cast<size_t>(n)), path))
    path = Utf8ToAnsi(std::string(buffer, static_cast<size_t>(n)));
  return path;
}

bool ToSystemPath(const AnsiString& path, std::string& systemPath) {
  WideString wide = AnsiToWide(path);
  // A byte that 1251 leaves undefined has no character, and so no name on the system.
  if (wide.find(u'\uFFFD') != WideString::npos) return false;
  systemPath = WideToUtf8(wide);
  return true;
}

bool FromSystemPath(const std::string& systemPath, AnsiString& path) { return TryUtf8ToAnsi(systemPath, path); }

std::FILE* OpenRegularFile(const AnsiString& path, const char* mode) {
  std::string systemPath;
  if (path.empty() || !ToSystemPath(path, systemPath)) return nullptr;
  bool writing = mode[0] == 'w' || mode[0] == 'a';
  int flags = O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
  if (!writing) {
    flags |= O_RDONLY;
  } else {
    flags |= O_WRONLY | O_CREAT;
    if (mode[0] == 'w') flags |= O_TRUNC;
    if (mode[0] == 'a') flags |= O_APPEND;
  }
  int fd = ::open(systemPath.c_str(), flags, 0666);
  if (fd < 0) return nullptr;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  // Opened without blocking so that a pipe cannot hang the open; reads block as usual.
  int fl = fcntl(fd, F_GETFL);
  if (fl >= 0) fcntl(fd, F_SETFL, fl & ~O_NONBLOCK);
  std::FILE* file = fdopen(fd, mode);
  if (file == nullptr) ::close(fd);
  return file;
}

std::vector<WideString> GetCommandLineArguments() { return Arguments(); }

void SetCommandLine(int argc, char** argv) {
  std::vector<WideString> arguments;
  for (int i = 0; i < argc; ++i) arguments.push_back(Utf8ToUtf16(argv[i] ? argv[i] : ""));
  Arguments() = std::move(arguments);
}

void SetModuleFileNameForTesting(const AnsiString& path) {
  if (path.empty())
    ModulePathOverride().reset();
  else
    ModulePathOverride() = path;
}

void SetCommandLineForTesting(const std::vector<std::string>& utf8Arguments) {
  std::vector<WideString> arguments;
  for (const auto& argument : utf8Arguments) arguments.push_back(Utf8ToUtf16(argument));
  Arguments() = std::move(arguments);
}
