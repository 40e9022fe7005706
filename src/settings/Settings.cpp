#include "settings/Settings.h"

#include "logger/Logger.h"
#include "platform/CodePages.h"
#include "platform/Locale.h"
#include "platform/Numbers.h"
#include "platform/System.h"
#include "settings/ReportTexts.h"
#include "strings/Strings.h"

Settings::Settings() = default;

void Settings::Load() {
  ParseCommandLine();
  LoadLocalization();
  LoadDictionary();
  LoadSettings();
  LoadName();
}

AnsiString Settings::GetLocalizedText(const AnsiString& key, const AnsiString& defaultText) const {
  auto found = localization.find(key);
  return found != localization.end() ? found->second : defaultText;
}

AnsiString Settings::Translate(const AnsiString& word) const {
  auto found = dictionary.find(word);
  return found != dictionary.end() ? found->second : word;
}

AnsiString Settings::GetName() const { return name; }

AnsiString Settings::GetResultMark(const AnsiString& result) const {
  if (result.empty()) return "---";
  AnsiString mark = MatchNegative(result);
  if (mark == ReportText(txtUnknown)) mark = MatchPositive(result);
  return mark;
}

AnsiString Settings::MatchNegative(const AnsiString& result) const {
  for (const auto& word : negatives)
    if (LocaleTextsEqual(word, result)) return ReportText(txtNegativeMark);
  return ReportText(txtUnknown);
}

AnsiString Settings::MatchPositive(const AnsiString& result) const {
  for (const auto& word : positives)
    if (LocaleTextsEqual(word, result)) return ReportText(txtPositiveMark);
  return ReportText(txtUnknown);
}

AnsiString Settings::FindKeyByAlias(const AnsiString& elementName) const {
  for (const auto& [key, names] : aliases)
    for (const auto& alias : names)
      if (alias == elementName) return key;
  return AnsiString();
}

AnsiString Settings::GetDisplayName(const AnsiString& key) const {
  auto found = displayNames.find(key);
  return found != displayNames.end() ? found->second : key;
}

AnsiString Settings::GetDisplayNameByAlias(const AnsiString& elementName) const {
  AnsiString key = FindKeyByAlias(elementName);
  if (key.empty()) return AnsiString();
  return GetDisplayName(key);
}

AnsiString Settings::GetValueByField(const AnsiString& fieldName, const std::vector<AnsiString>& pieces) const {
  std::int32_t index = -1;
  try {
    auto found = fieldIndexes.find(fieldName);
    if (found != fieldIndexes.end()) index = found->second;
    if (index >= 0 && static_cast<std::size_t>(index) < pieces.size()) return pieces[static_cast<std::size_t>(index)];
    return AnsiString();
  } catch (...) {
    Log("Can't get value by field: " + fieldName + " with index: " + ErrorNumberText(index) + "...", 1);
    return AnsiString();
  }
}

namespace {

AnsiString ConversionErrorName(unsigned error) {
  switch (error) {
    case ERROR_INVALID_PARAMETER:
      return "ERROR_INVALID_PARAMETER";
    case ERROR_INSUFFICIENT_BUFFER:
      return "ERROR_INSUFFICIENT_BUFFER";
    case ERROR_INVALID_FLAGS:
      return "ERROR_INVALID_FLAGS";
    case ERROR_NO_UNICODE_TRANSLATION:
      return "ERROR_NO_UNICODE_TRANSLATION";
    default:
      return ErrorNumberText(error);
  }
}

}  // namespace

AnsiString Settings::Decode(const AnsiString& line) {
  if (line.empty()) return AnsiString();
  for (std::uint32_t cp : codePages) {
    WideString wide = ToWide(line, static_cast<int>(cp));
    // Read before anything else can touch the last error.
    unsigned error = GetLastError();
    AnsiString text = WideToAnsi(wide);
    if (!text.empty()) {
      if (static_cast<std::int32_t>(cp) != lastCodePage) {
        Log("cp is: " + ErrorNumberText(cp) + "...", 1);
        lastCodePage = static_cast<std::int32_t>(cp);
      }
      return text;
    }
    Log("MultiByteToWideChar error: " + ConversionErrorName(error) + " with cp: " + ErrorNumberText(cp) + " for '" +
            line + "'...",
        1);
  }
  return AnsiString();
}

AnsiString GetProgramDir() {
  AnsiString exe = GetModuleFileName();
  std::size_t slash = exe.rfind('/');
  return slash == AnsiString::npos ? exe : exe.substr(0, slash + 1);
}

AnsiString ErrorNumberText(std::int64_t error) { return IntToStr(error); }
