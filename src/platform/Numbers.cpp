#include "platform/Numbers.h"

#include <climits>
#include <cstddef>

#include "platform/Exception.h"

namespace {

bool IsBlankByte(unsigned char c) { return c == ' '; }

int HexDigit(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

template <typename Char>
bool IsCSpace(Char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

template <typename Char>
std::int32_t ReadLong(const Char* text) {
  if (text == nullptr) return 0;
  const Char* p = text;
  while (IsCSpace(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = *p == '-';
    ++p;
  }
  std::int64_t value = 0;
  bool saturated = false;
  for (; *p >= '0' && *p <= '9'; ++p) {
    if (!saturated) {
      value = value * 10 + (*p - '0');
      if (value > static_cast<std::int64_t>(INT32_MAX) + 1) saturated = true;
    }
  }
  if (negative) {
    if (saturated || -value < INT32_MIN) return INT32_MIN;
    return static_cast<std::int32_t>(-value);
  }
  if (saturated || value > INT32_MAX) return INT32_MAX;
  return static_cast<std::int32_t>(value);
}

}  // namespace

bool TryStrToInt(const AnsiString& text, int& value) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && IsBlankByte(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < n && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= n) return false;
  std::int64_t magnitude = 0;
  for (; i < n; ++i) {
    int digit = base == 16 ? HexDigit(static_cast<unsigned char>(text[i]))
                           : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (digit < 0) return false;
    magnitude = magnitude * base + digit;
    if (magnitude > static_cast<std::int64_t>(INT_MAX) + 1) return false;
  }
  std::int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue < INT_MIN || signedValue > INT_MAX) return false;
  value = static_cast<int>(signedValue);
  return true;
}

int StrToInt(const AnsiString& text) {
  int value = 0;
  if (!TryStrToInt(text, value)) throw Exception("'" + text + "' is not a valid integer value");
  return value;
}

std::int32_t Strtol32(const char* text) { return ReadLong(text); }

std::int32_t Atol32(const char* text) { return ReadLong(text); }

std::int32_t Wcstol32(const char16_t* text) { return ReadLong(text); }

AnsiString IntToStr(std::int64_t value) { return std::to_string(value); }
