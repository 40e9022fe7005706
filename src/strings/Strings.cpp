#include "strings/Strings.h"

#include <algorithm>

#include "platform/CodePages.h"

namespace {

constexpr int kWideBufferSize = 2048;

}  // namespace

std::string_view WithoutLineEnd(std::string_view text) {
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
  return text;
}

void SplitViews(std::string_view text, char separator, std::vector<std::string_view>& pieces) {
  pieces.clear();
  if (text.empty()) return;
  std::size_t start = 0;
  std::size_t at;
  while ((at = text.find(separator, start)) != std::string_view::npos) {
    pieces.push_back(text.substr(start, at - start));
    start = at + 1;
  }
  if (start == 0) {
    pieces.push_back(text);  // no separator: the whole text, its line end kept
  } else if (start < text.size()) {
    pieces.push_back(WithoutLineEnd(text.substr(start)));
  }
}

std::vector<AnsiString> Split(AnsiString text, char separator) {
  std::vector<std::string_view> views;
  SplitViews(text, separator, views);
  return std::vector<AnsiString>(views.begin(), views.end());
}

std::vector<AnsiString> SplitByString(AnsiString text, const AnsiString& separator) {
  std::vector<AnsiString> pieces;
  if (text.empty()) return pieces;
  if (separator.empty() || text.find(separator) == AnsiString::npos) {
    pieces.push_back(std::move(text));
    return pieces;
  }
  std::size_t start = 0;
  std::size_t at;
  while ((at = text.find(separator, start)) != AnsiString::npos) {
    pieces.push_back(text.substr(start, at - start));
    start = at + separator.size();
  }
  const std::string_view rest = WithoutLineEnd(std::string_view(text).substr(start));
  if (!rest.empty()) pieces.emplace_back(rest);
  return pieces;
}

AnsiString ReplaceAll(const AnsiString& text, const AnsiString& searched, const AnsiString& replacement) {
  if (text.empty() || searched.empty()) return text;
  if (replacement.size() < searched.size()) {
    // Searching again from the start finds nothing before the last replacement that does not
    // overlap it, so the search resumes where a new occurrence could begin.
    AnsiString result = text;
    std::size_t from = 0;
    std::size_t at;
    while ((at = result.find(searched, from)) != AnsiString::npos) {
      result.replace(at, searched.size(), replacement);
      from = at >= searched.size() - 1 ? at - (searched.size() - 1) : 0;
    }
    return result;
  }
  AnsiString result;
  result.reserve(text.size());
  std::size_t start = 0;
  std::size_t at;
  while ((at = text.find(searched, start)) != AnsiString::npos) {
    result.append(text, start, at - start);
    result += replacement;
    start = at + searched.size();
  }
  result.append(text, start, AnsiString::npos);
  return result;
}

WideString ToWide(const AnsiString& bytes, int codePage, unsigned flags) {
  if (bytes.empty()) return WideString();
  try {
    char16_t buffer[kWideBufferSize];
    int n = MultiByteToWideChar(static_cast<unsigned>(codePage), flags, bytes.data(), static_cast<int>(bytes.size()),
                                buffer, kWideBufferSize);
    if (n <= 0) return WideString();
    const char16_t* end = std::find(buffer, buffer + n, u'\0');
    return WideString(buffer, static_cast<std::size_t>(end - buffer));
  } catch (...) {
    return WideString();
  }
}

WideString Utf8ToWide(const AnsiString& bytes) { return ToWide(bytes, static_cast<int>(CP_UTF8)); }
