#include "platform/System.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <string_view>
#include <optional>

#include "platform/CodePages.h"

namespace {

std::optional<std::string>& ModulePathOverride() {
  static std::optional<std::string> path;
  return path;
}

std::vector<WideString>& Arguments() {
  static std::vector<WideString> arguments;
  return arguments;
}

constexpr char kEscape = '\x98';

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The system's bytes of an ANSI text; false at a 0x98 that starts no escape, which a lenient
// reading shows as U+FFFD instead.
bool ToSystemBytes(const AnsiString& text, std::string& out, bool lenient) {
  out.clear();
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == kEscape) {
      const int high = i + 2 < text.size() ? HexDigit(text[i + 1]) : -1;
      const int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
      if (low >= 0) {
        out += static_cast<char>(high * 16 + low);
        i += 2;
        continue;
      }
      if (!lenient) return false;
    }
    AppendUtf8(out, AnsiByteToWide(static_cast<unsigned char>(c)));
  }
  return true;
}

}  // namespace

AnsiString GetModuleFileName() {
  if (ModulePathOverride()) return FromSystemPath(*ModulePathOverride());
  char buffer[PATH_MAX + 1];
  ssize_t n = readlink("/proc/self/exe", buffer, PATH_MAX);
  if (n <= 0) return AnsiString();
  return FromSystemPath(std::string(buffer, static_cast<size_t>(n)));
}

bool ToSystemPath(const AnsiString& path, std::string& systemPath) { return ToSystemBytes(path, systemPath, false); }

AnsiString FromSystemPath(const std::string& systemPath) {
  static const char kHex[] = "0123456789ABCDEF";
  AnsiString path;
  path.reserve(systemPath.size());
  for (std::size_t i = 0; i < systemPath.size();) {
    char32_t character = 0;
    std::size_t length = Utf8Sequence(systemPath, i, character);
    char byte;
    if (length > 0 && WideToAnsiByte(character, byte)) {
      path += byte;
      i += length;
      continue;
    }
    for (std::size_t end = i + std::max<std::size_t>(length, 1); i < end; ++i) {
      const unsigned char raw = static_cast<unsigned char>(systemPath[i]);
      path += kEscape;
      path += kHex[raw >> 4];
      path += kHex[raw & 0xF];
    }
  }
  return path;
}

std::string DisplayText(const AnsiString& text) {
  std::string shown;
  ToSystemBytes(text, shown, true);
  return shown;
}

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

void SetUpProcessSignals() {
  signal(SIGCHLD, SIG_DFL);
  signal(SIGXFSZ, SIG_IGN);
}

void SetModuleFileNameForTesting(const std::string& systemPath) {
  if (systemPath.empty())
    ModulePathOverride().reset();
  else
    ModulePathOverride() = systemPath;
}

void SetCommandLineForTesting(const std::vector<std::string>& utf8Arguments) {
  std::vector<WideString> arguments;
  for (const auto& argument : utf8Arguments) arguments.push_back(Utf8ToUtf16(argument));
  Arguments() = std::move(arguments);
}
