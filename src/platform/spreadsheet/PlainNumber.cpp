#include "platform/spreadsheet/PlainNumber.h"

#include <charconv>
#include <string>

namespace spreadsheet {
namespace {

constexpr int kMaxSignificantDigits = 15;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

bool ReadPlainNumber(std::u16string_view text, double& number) {
  std::size_t i = 0;
  std::string plain;  // the same number as "-digits.digits" for the reader
  if (i < text.size() && text[i] == u'-') plain += text[i++];
  std::size_t integerStart = i;
  while (i < text.size() && IsDigit(text[i])) plain += static_cast<char>(text[i++]);
  if (i == integerStart) return false;
  std::size_t fractionEnd = i;
  if (i < text.size() && (text[i] == u'.' || text[i] == u',')) {
    plain += '.';
    std::size_t fractionStart = ++i;
    while (i < text.size() && IsDigit(text[i])) plain += static_cast<char>(text[i++]);
    if (i == fractionStart) return false;
    fractionEnd = i;
    while (fractionEnd > fractionStart && text[fractionEnd - 1] == u'0') --fractionEnd;
  }
  if (i != text.size()) return false;

  // Significant digits: from the first digit that is not 0 to the end of the integer part,
  // or to the last digit of the fraction that is not 0.
  int significant = 0;
  bool started = false;
  for (std::size_t k = integerStart; k < fractionEnd; ++k) {
    if (!IsDigit(text[k])) continue;
    started = started || text[k] != u'0';
    if (started) ++significant;
  }
  if (significant > kMaxSignificantDigits) return false;

  double value = 0;
  auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (result.ec != std::errc() || result.ptr != plain.data() + plain.size()) return false;
  number = value == 0 ? 0.0 : value;  // "-0" is 0
  return true;
}

}  // namespace spreadsheet
