#include "settings/Settings.h"

#include <algorithm>

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

bool IsAscii(const AnsiString& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

AnsiString Settings::Decode(const AnsiString& line, bool* replaced) {
  if (replaced != nullptr) *replaced = false;
  if (line.empty()) return AnsiString();
  for (std::size_t i = 0; i < codePages.size(); ++i) {
    const std::uint32_t cp = codePages[i];
    const bool last = i + 1 == codePages.size();
    // Every entry but the last refuses a line that is not valid in it, so that a later one
    // gets it; the last takes what it can and marks the rest with replacement characters.
    // The line in the ANSI code page and the error of its conversion; a single-byte code page
    // goes there without the wide text.
    auto convert = [&](unsigned flags, unsigned& error) {
      SetLastError(ERROR_SUCCESS);
      if (std::optional<AnsiString> direct = SingleByteToAnsi(cp, flags, line)) {
        error = GetLastError();
        return std::move(*direct);
      }
      WideString wide = ToWide(line, static_cast<int>(cp), flags);
      // Read before anything else can touch the last error.
      error = GetLastError();
      return WideToAnsi(wide);
    };
    unsigned error = ERROR_SUCCESS;
    AnsiString text = convert(MB_ERR_INVALID_CHARS, error);
    bool lossy = false;
    if (text.empty() && error == ERROR_NO_UNICODE_TRANSLATION) {
      if (!last) continue;
      text = convert(0, error);
      lossy = !text.empty();
    }
    if (!text.empty()) {
      // A line of ASCII reads the same under the code page announced last, when the system
      // has it, so it is no sign of a change: under "65001,1251" the ASCII lines of a 1251
      // file would otherwise flip the announcement back and forth.
      const bool sameUnderLast = IsAscii(line) && IsCodePageKnown(static_cast<unsigned>(lastCodePage));
      if (static_cast<std::int32_t>(cp) != lastCodePage && !sameUnderLast) {
        Log("cp is: " + ErrorNumberText(cp) + "...", 1);
        lastCodePage = static_cast<std::int32_t>(cp);
      }
      if (replaced != nullptr) *replaced = lossy;
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
