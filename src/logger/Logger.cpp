#include "logger/Logger.h"

#include <cstdio>
#include <cstring>

#include "platform/System.h"

namespace {

Logger*& Instance() {
  static Logger* instance = nullptr;
  return instance;
}

const char* Prefix(std::uint8_t level) {
  switch (level) {
    case 1:
      return "[WARNING]";
    case 2:
      return "[ERROR]";
    default:
      return "[TRACE]";
  }
}

}  // namespace

void Log(const AnsiString& text, std::uint8_t level) {
  Logger::GetInstance().Write(AnsiString(Prefix(level)) + " " + text);
}

Logger::Logger() {
  // The executable's folder, computed here on its own.
  AnsiString exe = GetModuleFileName();
  std::size_t slash = exe.rfind('/');
  path_ = (slash == AnsiString::npos ? exe : exe.substr(0, slash + 1)) + "logs.txt";
}

Logger& Logger::GetInstance() {
  Logger*& instance = Instance();
  if (instance == nullptr) {
    // Kept for the whole run: messages can still come while static objects are destroyed.
    instance = new Logger();
    instance->Clear();
  }
  return *instance;
}

void Logger::Write(const AnsiString& line) {
  std::FILE* file = OpenRegularFile(path_, "a");
  if (file == nullptr) return;
  std::size_t length = std::strlen(line.c_str());
  std::fwrite(line.data(), 1, length, file);
  std::fputc('\n', file);
  std::fclose(file);
}

void Logger::Clear() {
  std::FILE* file = OpenRegularFile(path_, "w");
  if (file != nullptr) std::fclose(file);
}

void Logger::ResetForTesting() {
  delete Instance();
  Instance() = nullptr;
}
