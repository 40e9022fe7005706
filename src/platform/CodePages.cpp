#include "platform/CodePages.h"

#include <iconv.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
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

// Single-byte code pages convert through a table of their 256 bytes, made once with iconv
// itself. glibc composes characters in 1255 and 1258, so those stay with iconv.
struct ByteTable {
  char16_t wide[256];
  bool valid[256];
};

const ByteTable* SingleByteTable(unsigned codePage) {
  static std::map<unsigned, std::unique_ptr<ByteTable>> tables;  // under converterMutex
  if (codePage == CP_UTF8 || codePage == 1255 || codePage == 1258) return nullptr;
  auto found = tables.find(codePage);
  if (found != tables.end()) return found->second.get();
  iconv_t cd = Converter(codePage, Direction::ToWide);
  std::unique_ptr<ByteTable> table;
  if (cd != reinterpret_cast<iconv_t>(-1)) {
    table = std::make_unique<ByteTable>();
    std::string out;
    for (int byte = 0; byte < 256; ++byte) {
      const char c = static_cast<char>(byte);
      const bool converted = Convert(cd, &c, 1, out, {}, 1, true) && out.size() == 2;
      table->valid[byte] = converted;
      table->wide[byte] = converted ? static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                                           static_cast<unsigned char>(out[1]) << 8)
                                    : u'\uFFFD';
    }
  }
  return tables.emplace(codePage, std::move(table)).first->second.get();
}

enum class Fast { Done, Refused, NotHere };

Fast ThroughTable(const ByteTable& table, bool strict, std::string_view in, WideString& out) {
  out.resize(in.size());
  char16_t* to = out.data();
  bool valid = true;
  for (const char c : in) {
    const unsigned char byte = static_cast<unsigned char>(c);
    valid &= table.valid[byte];
    *to++ = table.wide[byte];
  }
  return valid || !strict ? Fast::Done : Fast::Refused;
}

// Bytes to wide text without iconv where a table or valid UTF-8 allow it.
Fast ToWideFast(unsigned codePage, bool strict, std::string_view in, WideString& out) {
  out.clear();
  if (codePage == CP_UTF8) {
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size();) {
      char32_t c = 0;
      const std::size_t length = ::Utf8Sequence(in, i, c);
      if (length == 0) return strict ? Fast::Refused : Fast::NotHere;  // iconv places its marks
      if (c < 0x10000) {
        out += static_cast<char16_t>(c);
      } else {
        out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
      }
      i += length;
    }
    return Fast::Done;
  }
  const ByteTable* table = SingleByteTable(codePage);
  if (table == nullptr) return Fast::NotHere;
  return ThroughTable(*table, strict, in, out);
}

// Wide text into bytes, false with the last error set: the fast ways and then iconv.
bool ToWideText(unsigned codePage, unsigned flags, std::string_view in, WideString& out) {
  const bool strict = flags == MB_ERR_INVALID_CHARS;
  // The table of the code page last read here: tables never change once made.
  thread_local unsigned tableCodePage = 0;
  thread_local const ByteTable* table = nullptr;
  if (table != nullptr && codePage == tableCodePage && (flags == 0 || strict)) {
    if (ThroughTable(*table, strict, in, out) == Fast::Done) return true;
    lastError = ERROR_NO_UNICODE_TRANSLATION;
    return false;
  }
  {
    std::lock_guard lock(converterMutex);
    if (Converter(codePage, Direction::ToWide) == reinterpret_cast<iconv_t>(-1)) {
      lastError = ERROR_INVALID_PARAMETER;
      return false;
    }
    if (flags != 0 && !strict) {
      lastError = ERROR_INVALID_FLAGS;
      return false;
    }
    switch (ToWideFast(codePage, strict, in, out)) {
      case Fast::Done:
        if (const ByteTable* made = codePage != CP_UTF8 ? SingleByteTable(codePage) : nullptr) {
          tableCodePage = codePage;
          table = made;
        }
        return true;
      case Fast::Refused: lastError = ERROR_NO_UNICODE_TRANSLATION; return false;
      case Fast::NotHere: break;
    }
  }
  std::string bytes;
  if (!ConvertText(codePage, flags, Direction::ToWide, in.data(), in.size(), bytes)) return false;
  out.resize(bytes.size() / 2);
  std::memcpy(out.data(), bytes.data(), out.size() * 2);
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
  thread_local WideString out;
  if (!ToWideText(codePage, flags, std::string_view(bytes, inLen), out)) return 0;
  int units = static_cast<int>(out.size());
  if (wideLen == 0) return units;
  if (units > wideLen) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::copy(out.begin(), out.end(), wide);
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
  WideString wide;
  if (text.empty() || !ToWideText(codePage, 0, text, wide)) return WideString();
  return wide;
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The characters of the ANSI code page and back, from its byte table.
struct AnsiTable {
  AnsiTable() {
    std::lock_guard lock(converterMutex);
    const ByteTable& bytes = *SingleByteTable(kAnsiCodePage);
    for (int byte = 0; byte < 256; ++byte) {
      toWide[byte] = bytes.wide[byte];
      if (bytes.valid[byte]) fromWide[bytes.wide[byte]] = static_cast<char>(byte), known[bytes.wide[byte]] = true;
    }
  }
  char16_t toWide[256];
  char fromWide[65536] = {};
  bool known[65536] = {};
};

const AnsiTable& TheAnsiTable() {
  static const AnsiTable table;
  return table;
}

}  // namespace

char16_t AnsiByteToWide(unsigned char byte) { return TheAnsiTable().toWide[byte]; }

bool WideToAnsiByte(char32_t character, char& byte) {
  const AnsiTable& table = TheAnsiTable();
  if (character > 0xFFFF || !table.known[character]) return false;
  byte = table.fromWide[character];
  return true;
}

AnsiString WideToAnsi(const WideString& text) {
  const AnsiTable& table = TheAnsiTable();
  AnsiString ansi(text.size(), '\0');
  char* to = ansi.data();
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (table.known[c]) {
      *to++ = table.fromWide[c];
    } else {
      // A character 1251 lacks, a surrogate pair being one.
      *to++ = '?';
      if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
    }
  }
  ansi.resize(static_cast<std::size_t>(to - ansi.data()));
  return ansi;
}

WideString AnsiToWide(const AnsiString& text) {
  const AnsiTable& table = TheAnsiTable();
  WideString wide(text.size(), u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) wide[i] = table.toWide[static_cast<unsigned char>(text[i])];
  return wide;
}

std::string WideToUtf8(const WideString& text) {
  std::string utf8;
  utf8.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
      c = 0xFFFD;  // half a pair stands for nothing
    }
    AppendUtf8(utf8, c);
  }
  return utf8;
}

std::optional<AnsiString> SingleByteToAnsi(unsigned codePage, unsigned flags, std::string_view bytes) {
  // Each byte's character in the ANSI code page, "?" for one it lacks; made once per code page.
  struct AnsiBytes {
    char ansi[256];
    bool valid[256];
  };
  thread_local unsigned madeCodePage = ~0u;
  thread_local std::unique_ptr<AnsiBytes> made;
  if (codePage != madeCodePage) {
    const ByteTable* table = nullptr;
    {
      std::lock_guard lock(converterMutex);
      if (Converter(codePage, Direction::ToWide) != reinterpret_cast<iconv_t>(-1)) table = SingleByteTable(codePage);
    }
    if (table == nullptr) return std::nullopt;
    const AnsiTable& ansi = TheAnsiTable();
    made = std::make_unique<AnsiBytes>();
    for (int byte = 0; byte < 256; ++byte) {
      const char16_t c = table->wide[byte];
      made->ansi[byte] = ansi.known[c] ? ansi.fromWide[c] : '?';
      made->valid[byte] = table->valid[byte];
    }
    madeCodePage = codePage;
  }
  if (flags != 0 && flags != MB_ERR_INVALID_CHARS) return std::nullopt;
  constexpr std::size_t kWideBuffer = 2048;
  if (bytes.empty() || bytes.size() > kWideBuffer) return std::nullopt;
  const std::string_view text = bytes.substr(0, std::min(bytes.find('\0'), bytes.size()));
  AnsiString converted(text.size(), '\0');
  bool valid = true;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(text[i]);
    valid &= made->valid[byte];
    converted[i] = made->ansi[byte];
  }
  // The bytes after a NUL are converted too, and may fail.
  for (std::size_t i = text.size(); i < bytes.size(); ++i) valid &= made->valid[static_cast<unsigned char>(bytes[i])];
  if (!valid && flags == MB_ERR_INVALID_CHARS) {
    lastError = ERROR_NO_UNICODE_TRANSLATION;
    return AnsiString();
  }
  return converted;
}

std::size_t Utf8Sequence(std::string_view text, std::size_t i, char32_t& character) {
  const unsigned char lead = static_cast<unsigned char>(text[i]);
  std::size_t length;
  char32_t least;
  if (lead < 0x80) {
    character = lead;
    return 1;
  }
  if ((lead & 0xE0) == 0xC0) {
    length = 2, least = 0x80, character = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, least = 0x800, character = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, least = 0x10000, character = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() - i < length) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const unsigned char next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return 0;
    character = (character << 6) | (next & 0x3F);
  }
  if (character < least || character > 0x10FFFF || (character >= 0xD800 && character <= 0xDFFF)) return 0;
  return length;
}

void AppendUtf8(std::string& utf8, char32_t c) {
  if (c < 0x80) {
    utf8 += static_cast<char>(c);
  } else if (c < 0x800) {
    utf8 += static_cast<char>(0xC0 | (c >> 6));
    utf8 += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    utf8 += static_cast<char>(0xE0 | (c >> 12));
    utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    utf8 += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    utf8 += static_cast<char>(0xF0 | (c >> 18));
    utf8 += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    utf8 += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string AnsiToUtf8(const AnsiString& text) { return WideToUtf8(AnsiToWide(text)); }

AnsiString Utf8ToAnsi(std::string_view utf8) { return WideToAnsi(ToWideWhole(CP_UTF8, utf8)); }

WideString Utf8ToUtf16(std::string_view utf8) { return ToWideWhole(CP_UTF8, utf8); }
