#include "Reference.h"

#include <charconv>
#include <climits>
#include <cstdlib>

namespace reference {

std::vector<std::string> ReadPieces(std::string_view bytes, std::size_t bufferSize) {
  std::vector<std::string> pieces;
  std::string text;
  std::size_t count = 0;
  bool cut = false;
  for (char c : bytes) {
    if (c == '\x1A') break;
    if (c == '\r') continue;
    ++count;
    if (c == '\0') cut = true;
    if (!cut) text += c;
    if (c == '\n' || count == bufferSize - 1) {
      pieces.push_back(text);
      text.clear();
      count = 0;
      cut = false;
    }
  }
  if (count > 0) pieces.push_back(text);
  return pieces;
}

namespace {

std::string WithoutLineEnd(std::string text) {
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  return text;
}

}  // namespace

std::vector<std::string> Split(std::string_view text, char separator) {
  if (text.empty()) return {};
  if (text.find(separator) == std::string_view::npos) return {std::string(text)};
  std::vector<std::string> pieces;
  std::string piece;
  for (char c : text) {
    if (c == separator) {
      pieces.push_back(piece);
      piece.clear();
    } else {
      piece += c;
    }
  }
  if (text.back() != separator) pieces.push_back(WithoutLineEnd(piece));
  return pieces;
}

std::vector<std::string> SplitByString(std::string_view text, std::string_view separator) {
  if (text.empty()) return {};
  if (separator.empty() || text.find(separator) == std::string_view::npos) return {std::string(text)};
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (std::size_t at = text.find(separator); at != std::string_view::npos; at = text.find(separator, start)) {
    pieces.emplace_back(text.substr(start, at - start));
    start = at + separator.size();
  }
  std::string rest = WithoutLineEnd(std::string(text.substr(start)));
  if (!rest.empty()) pieces.push_back(rest);
  return pieces;
}

std::string ReplaceAll(std::string_view text, std::string_view searched, std::string_view replacement) {
  std::string result(text);
  if (text.empty() || searched.empty()) return result;
  if (replacement.size() < searched.size()) {
    for (std::size_t at = result.find(searched); at != std::string::npos; at = result.find(searched))
      result.replace(at, searched.size(), replacement);
    return result;
  }
  result.clear();
  std::size_t i = 0;
  while (i < text.size()) {
    if (text.substr(i, searched.size()) == searched) {
      result += replacement;
      i += searched.size();
    } else {
      result += text[i++];
    }
  }
  return result;
}

namespace {

bool IsDigitOf(char c, int base) {
  if (c >= '0' && c <= '9') return true;
  return base == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'));
}

}  // namespace

bool StrToInt(std::string_view text, int& value) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string_view::npos) return false;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  int base = 10;
  if (text.substr(i, 1) == "$") {
    base = 16;
    i += 1;
  } else if (text.substr(i, 2) == "0x" || text.substr(i, 2) == "0X") {
    base = 16;
    i += 2;
  }
  std::string_view digits = text.substr(std::min(i, text.size()));
  if (digits.empty()) return false;
  for (char c : digits)
    if (!IsDigitOf(c, base)) return false;
  // The magnitude with room for the one value that only the negative side holds.
  unsigned long long magnitude = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
  if (error != std::errc() || end != digits.data() + digits.size()) return false;
  long long signedValue = 0;
  if (magnitude > static_cast<unsigned long long>(INT_MAX) + 1) return false;
  signedValue = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
  if (signedValue < INT_MIN || signedValue > INT_MAX) return false;
  value = static_cast<int>(signedValue);
  return true;
}

std::int32_t Strtol32(const std::string& text) {
  long long value = std::strtoll(text.c_str(), nullptr, 10);
  if (value < INT32_MIN) return INT32_MIN;
  if (value > INT32_MAX) return INT32_MAX;
  return static_cast<std::int32_t>(value);
}

unsigned char UpperCase1251(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
  if (c >= 0xE0) return static_cast<unsigned char>(c - 0x20);  // а to я
  switch (c) {
    case 0x90: return 0x80;  // ђ
    case 0x83: return 0x81;  // ѓ
    case 0x9A: return 0x8A;  // љ
    case 0x9C: return 0x8C;  // њ
    case 0x9D: return 0x8D;  // ќ
    case 0x9E: return 0x8E;  // ћ
    case 0x9F: return 0x8F;  // џ
    case 0xA2: return 0xA1;  // ў
    case 0xBC: return 0xA3;  // ј
    case 0xB4: return 0xA5;  // ґ
    case 0xB8: return 0xA8;  // ё
    case 0xBA: return 0xAA;  // є
    case 0xBF: return 0xAF;  // ї
    case 0xB3: return 0xB2;  // і
    case 0xBE: return 0xBD;  // ѕ
    default: return c;
  }
}

bool WildcardMatches(std::string_view pattern, std::string_view name) {
  // matches[j]: the pattern so far matches the first j characters of the name.
  std::vector<char> matches(name.size() + 1, 0);
  matches[0] = 1;
  for (char p : pattern) {
    std::vector<char> next(name.size() + 1, 0);
    for (std::size_t j = 0; j <= name.size(); ++j) {
      if (p == '*') {
        next[j] = matches[j] || (j > 0 && next[j - 1]);
      } else if (j > 0 && matches[j - 1]) {
        next[j] = p == '?' || UpperCase1251(static_cast<unsigned char>(p)) ==
                                  UpperCase1251(static_cast<unsigned char>(name[j - 1]));
      }
    }
    matches = std::move(next);
  }
  return matches[name.size()];
}

namespace {

constexpr long long kRows = 1048576;
constexpr long long kColumns = 16384;

bool ReadCorner(std::u16string_view& text, long long& row, long long& column) {
  std::size_t i = 0;
  column = 0;
  while (i < text.size()) {
    char16_t c = text[i];
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    if (c < u'A' || c > u'Z') break;
    column = std::min(column * 26 + (c - u'A' + 1), kColumns + 1);
    ++i;
  }
  const std::size_t letters = i;
  row = 0;
  while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
    row = std::min(row * 10 + (text[i] - u'0'), kRows + 1);
    ++i;
  }
  if (letters == 0 || i == letters) return false;
  if (column < 1 || column > kColumns || row < 1 || row > kRows) return false;
  text.remove_prefix(i);
  return true;
}

}  // namespace

bool ParseRangeAddress(std::u16string_view address, Rect& rect) {
  long long row1, column1, row2, column2;
  if (!ReadCorner(address, row1, column1)) return false;
  row2 = row1;
  column2 = column1;
  if (!address.empty()) {
    if (address.front() != u':') return false;
    address.remove_prefix(1);
    if (!ReadCorner(address, row2, column2) || !address.empty()) return false;
  }
  rect.firstRow = static_cast<int>(std::min(row1, row2));
  rect.lastRow = static_cast<int>(std::max(row1, row2));
  rect.firstColumn = static_cast<int>(std::min(column1, column2));
  rect.lastColumn = static_cast<int>(std::max(column1, column2));
  return true;
}

std::string ColumnLetters(int column) {
  std::string letters;
  while (column > 0) {
    int digit = (column - 1) % 26;
    letters.insert(letters.begin(), static_cast<char>('A' + digit));
    column = (column - 1) / 26;
  }
  return letters;
}

bool DecodeUtf8(std::string_view bytes, std::u16string& wide) {
  wide.clear();
  std::size_t i = 0;
  while (i < bytes.size()) {
    unsigned char b = static_cast<unsigned char>(bytes[i]);
    int length = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > bytes.size()) return false;
    char32_t code = length == 1 ? b : length == 2 ? (b & 0x1F) : length == 3 ? (b & 0x0F) : (b & 0x07);
    for (int k = 1; k < length; ++k) {
      unsigned char next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    static const char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    if (code >= 0x10000) {
      code -= 0x10000;
      wide += static_cast<char16_t>(0xD800 + (code >> 10));
      wide += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
      wide += static_cast<char16_t>(code);
    }
    i += static_cast<std::size_t>(length);
  }
  return true;
}

}  // namespace reference
