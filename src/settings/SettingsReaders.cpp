// The command line and the small configuration files: "localization.txt",
// "dictionary.txt" and "name.txt", taken in the ANSI code page without conversion.
#include "platform/CodePages.h"
#include "platform/Numbers.h"
#include "platform/System.h"
#include "platform/TextFile.h"
#include "settings/Settings.h"
#include "strings/Strings.h"

namespace {

constexpr std::size_t kLineBuffer = 2048;

}  // namespace

void Settings::ParseCommandLine() {
  commandLineCodePage = 65001;
  std::vector<WideString> arguments = GetCommandLineArguments();
  if (arguments.empty()) return;
  if (arguments.size() >= 2) {
    if (WideToAnsi(arguments[1]) == "cp_detect") {
      detectCodePages = true;
      commandLineCodePage = 65001;
    } else {
      commandLineCodePage = Wcstol32(arguments[1].c_str());
    }
  }
  if (arguments.size() >= 3) fieldIndexSpec = WideToAnsi(arguments[2]);
}

void Settings::LoadLocalization() {
  TextFile file;
  if (!file.Open(GetProgramDir() + "localization.txt")) return;
  AnsiString line;
  while (file.ReadLine(line, kLineBuffer)) {
    std::size_t equals = line.find('=');
    if (line.empty() || equals == AnsiString::npos || equals == 0) continue;
    localization[line.substr(0, equals)] = line.substr(equals + 1);
  }
}

void Settings::LoadDictionary() {
  TextFile file;
  if (!file.Open(GetProgramDir() + "dictionary.txt")) return;
  AnsiString line;
  while (file.ReadLine(line, kLineBuffer)) {
    std::vector<AnsiString> pieces = Split(line, ',');
    if (pieces.size() < 2) continue;
    dictionary.emplace(pieces[0], pieces[1]);  // the first entry of a word wins
  }
}

void Settings::LoadName() {
  TextFile file;
  if (!file.Open(GetProgramDir() + "name.txt")) return;
  AnsiString line;
  if (file.ReadLine(line, kLineBuffer)) name = line;
}
