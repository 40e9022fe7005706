#include "platform/ProgramText.h"

#include <mutex>
#include <string>
#include <unordered_map>

#include "platform/CodePages.h"

const AnsiString& AnsiText(std::string_view utf8) {
  static std::mutex mutex;
  static std::unordered_map<std::string, AnsiString> texts;
  std::lock_guard lock(mutex);
  auto found = texts.find(std::string(utf8));
  if (found != texts.end()) return found->second;
  // Elements of an unordered_map keep their address when it grows.
  return texts.emplace(std::string(utf8), Utf8ToAnsi(utf8)).first->second;
}
