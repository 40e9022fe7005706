#include "platform/CodePages.h"

#include <iconv.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

namespace {

thread_local unsigned lastError = ERROR_SUCCESS;

const char* const kWideName = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

// Windows code-page numbers and the iconv converters that stand for them.
const std::map<unsigned, const char*>& CodePageTable() {
  static const std::map<unsigned, const char*> table = {
      {CP_ACP, "CP1251"},      {CP_OEMCP, "CP866"},     {CP_MACCP, "MAC-CYRILLIC"},
      {CP_THREAD_ACP, "CP1251"},
      {437, "CP437"},          {850, "CP850"},          {852, "CP852"},
      {855, "CP855"},          {866, "CP866"},          {1250, "CP1250"},
      {1251, "CP1251"},        {1252, "CP1252"},        {1253, "CP1253"},
      {1254, "CP1254"},        {1255, "CP1255"},        {1256, "CP1256"},
      {1257, "CP1257"},        {1258, "CP1258"},        {10000, "MACINTOSH"},
      {10007, "MAC-CYRILLIC"}, {20127, "ASCII"},        {20866, "KOI8-R"},
      {21866, "KOI8-U"},       {28591, "ISO-8859-1"},   {28592, "ISO-8859-2"},
      {28593, "ISO-8859-3"},   {28594, "ISO-8859-4"},   {28595, "ISO-8859-5"},
      {28596, "ISO-8859-6"},   {28597, "ISO-8859-7"},   {28598, "ISO-8859-8"},
      {28599, "ISO-8859-9"},   {28603, "ISO-8859-13"},  {28605, "ISO-8859-15"},
      {CP_UTF8, "UTF-8"},
  };
  return table;
}

enum class Direction { ToWide, FromWide };

// Opened once per code page and direction; a converter that cannot be opened is kept as
// unavailable so that the table is not asked again for every line.
std::mutex converterMutex;

struct ConverterCache {
  ~ConverterCache() {
    for (auto& [key, cd] : converters)
      if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }
  std::map<std::pair<unsigned, Direction>, iconv_t> converters;
};

iconv_t Converter(unsigned codePage, Direction direction) {
  static ConverterCache cacheHolder;
  auto& cache = cacheHolder.converters;
  const auto& table = CodePageTable();
  auto entry = table.find(codePage);
  if (entry == table.end()) return reinterpret_cast<iconv_t>(-1);
  auto key = std::make_pair(codePage, direction);
  auto found = cache.find(key);
  if (found != cache.end()) return found->second;
  iconv_t cd = direction == Direction::ToWide ? iconv_open(kWideName, entry->second)
                                              : iconv_open(entry->second, kWideName);
  cache.emplace(key, cd);
  return cd;
}

// Runs one conversion to its end into out. An invalid or unmappable input unit is replaced by
// `replacement` (output bytes) and skipped `skip` input bytes at a time; a strict conversion
// stops there instead and returns false.
bool Convert(iconv_t cd, const char* in, size_t inLen, std::string& out, std::string_view replacement, size_t skip,
             bool strict = false) {
  thread_local std::vector<char> buffer;
  if (buffer.size() < inLen * 4 + 16) buffer.resize(inLen * 4 + 16);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  out.clear();
  char* src = const_cast<char*>(in);
  size_t srcLeft = inLen;
  while (true) {
    char* dst = buffer.data();
    size_t dstLeft = buffer.size();
    size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    int err = rc == static_cast<size_t>(-1) ? errno : 0;
    out.append(buffer.data(), buffer.size() - dstLeft);
    if (rc != static_cast<size_t>(-1)) break;
    if (err == E2BIG) continue;
    // EILSEQ or EINVAL: an unconvertible unit, or an incomplete one at the end.
    if (strict) return false;
    out += replacement;
    size_t step = std::min(skip, srcLeft);
    if (err == EILSEQ && skip == 2 && srcLeft >= 4) {
      // A surrogate pair that the target cannot show is one character.
      char16_t unit;
      std::memcpy(&unit, src, 2);
      char16_t next;
      std::memcpy(&next, src + 2, 2);
      if (unit >= 0xD800 && unit < 0xDC00 && next >= 0xDC00 && next < 0xE000) step = 4;
    }
    if (err == EINVAL) step = srcLeft;
    src += step;
    srcLeft -= step;
    if (srcLeft == 0) break;
  }
  // Flush any shift state.
  char* dst = buffer.data();
  size_t dstLeft = buffer.size();
  iconv(cd, nullptr, nullptr, &dst, &dstLeft);
  out.append(buffer.data(), buffer.size() - dstLeft);
  return true;
}

// One whole conversion; false with the last error set for an unknown code page or flags.
bool ConvertText(unsigned codePage, unsigned flags, Direction direction, const char* in, size_t inLen,
                 std::string& out) {
  std::lock_guard lock(converterMutex);
  iconv_t cd = Converter(codePage, direction);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    lastError = ERROR_INVALID_PARAMETER;
    return false;
  }
  const bool strict = direction == Direction::ToWide && flags == MB_ERR_INVALID_CHARS;
  if (flags != 0 && !strict) {
    lastError = ERROR_INVALID_FLAGS;
    return false;
  }
  if (direction == Direction::ToWide) {
    static const char16_t fffd = 0xFFFD;
    if (!Convert(cd, in, inLen, out, std::string_view(reinterpret_cast<const char*>(&fffd), 2), 1, strict)) {
      lastError = ERROR_NO_UNICODE_TRANSLATION;
      return false;
    }
  } else {
    Convert(cd, in, inLen, out, codePage == CP_UTF8 ? "\xEF\xBF\xBD" : "?", 2);
  }
  return true;
}

}  // namespace

unsigned GetLastError() { return lastError; }

void SetLastError(unsigned error) { lastError = error; }

bool IsCodePageKnown(unsigned codePage) {
  std::lock_guard lock(converterMutex);
  return Converter(codePage, Direction::ToWide) != reinterpret_cast<iconv_t>(-1);
}

int MultiByteToWideChar(unsigned codePage, unsigned flags, const char* bytes, int len, char16_t* wide,
                        int wideLen) {
  if (bytes == nullptr || len == 0 || len < -1 || wideLen < 0 || (wideLen > 0 && wide == nullptr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  size_t inLen = len < 0 ? std::strlen(bytes) + 1 : static_cast<size_t>(len);
  thread_local std::string out;
  if (!ConvertText(codePage, flags, Direction::ToWide, bytes, inLen, out)) return 0;
  int units = static_cast<int>(out.size() / 2);
  if (wideLen == 0) return units;
  if (units > wideLen) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(wide, out.data(), out.size());
  return units;
}

int WideCharToMultiByte(unsigned codePage, unsigned flags, const char16_t* wide, int len, char* bytes,
                        int bytesLen) {
  if (wide == nullptr || len == 0 || len < -1 || bytesLen < 0 || (bytesLen > 0 && bytes == nullptr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  size_t units = len < 0 ? std::char_traits<char16_t>::length(wide) + 1 : static_cast<size_t>(len);
  thread_local std::string out;
  if (!ConvertText(codePage, flags, Direction::FromWide, reinterpret_cast<const char*>(wide), units * 2, out))
    return 0;
  int size = static_cast<int>(out.size());
  if (bytesLen == 0) return size;
  if (size > bytesLen) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(bytes, out.data(), out.size());
  return size;
}

namespace {

// Whole texts, converted in one pass without the size query.
WideString ToWideWhole(unsigned codePage, std::string_view text) {
  if (text.empty()) return WideString();
  std::string out;
  if (!ConvertText(codePage, 0, Direction::ToWide, text.data(), text.size(), out)) return WideString();
  WideString wide(out.size() / 2, u'\0');
  std::memcpy(wide.data(), out.data(), wide.size() * 2);
  return wide;
}

std::string FromWideWhole(unsigned codePage, const WideString& text) {
  if (text.empty()) return std::string();
  std::string out;
  if (!ConvertText(codePage, 0, Direction::FromWide, reinterpret_cast<const char*>(text.data()), text.size() * 2, out))
    return std::string();
  return out;
}

}  // namespace

AnsiString WideToAnsi(const WideString& text) { return FromWideWhole(kAnsiCodePage, text); }

WideString AnsiToWide(const AnsiString& text) { return ToWideWhole(kAnsiCodePage, text); }

std::string AnsiToUtf8(const AnsiString& text) { return FromWideWhole(CP_UTF8, AnsiToWide(text)); }

AnsiString Utf8ToAnsi(std::string_view utf8) { return WideToAnsi(ToWideWhole(CP_UTF8, utf8)); }

namespace {

struct AnsiTable {
  AnsiTable() {
    for (int byte = 0; byte < 256; ++byte) {
      const char c = static_cast<char>(byte);
      WideString wide = ToWideWhole(kAnsiCodePage, std::string_view(&c, 1));
      toWide[byte] = wide.size() == 1 ? wide[0] : u'\uFFFD';
      if (toWide[byte] != u'\uFFFD') fromWide.emplace(toWide[byte], c);
    }
  }
  char16_t toWide[256];
  std::map<char16_t, char> fromWide;
};

const AnsiTable& TheAnsiTable() {
  static const AnsiTable table;
  return table;
}

}  // namespace

char16_t AnsiByteToWide(unsigned char byte) { return TheAnsiTable().toWide[byte]; }

bool WideToAnsiByte(char32_t character, char& byte) {
  if (character > 0xFFFF) return false;
  const auto& fromWide = TheAnsiTable().fromWide;
  auto found = fromWide.find(static_cast<char16_t>(character));
  if (found == fromWide.end()) return false;
  byte = found->second;
  return true;
}

std::string WideToUtf8(const WideString& text) { return FromWideWhole(CP_UTF8, text); }

WideString Utf8ToUtf16(std::string_view utf8) { return ToWideWhole(CP_UTF8, utf8); }
