// The text helpers under everything the program reads, each against a reference.
//
// Input: one byte that chooses the helper (its value modulo 8), then the helper's bytes:
//   0 splitting: a separator byte (Split), a separator length byte (SplitByString), the rest
//     of the text being split at the first byte and at its first bytes of that length
//   1 ReplaceAll: two length bytes for the searched text and the replacement, which are
//     taken from the front of the rest; the rest is the text
//   2 the number readers, over the bytes as a text
//   3 the line reader: a buffer-size byte, then the file
//   4 the code-page conversions of every code page the program knows
//   5 the .xlsx cell text of the bytes read as UTF-16 (two bytes a unit)
//   6 range addresses: the bytes as an address, and a rectangle made of the first eight
//   7 wildcard matching: a length byte for the pattern, taken from the front; the rest is
//     the name

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "FuzzSupport.h"
#include "Reference.h"
#include "platform/CodePages.h"
#include "platform/Directory.h"
#include "platform/Numbers.h"
#include "platform/System.h"
#include "platform/TextFile.h"
#include "platform/spreadsheet/CellAddress.h"
#include "platform/spreadsheet/XlsxText.h"
#include "strings/Strings.h"

namespace {

using fuzz::Describe;

// The code pages the program knows, as the platform's table lists them.
constexpr unsigned kCodePages[] = {0,     1,     2,     3,     437,   850,   852,   855,   866,
                                   1250,  1251,  1252,  1253,  1254,  1255,  1256,  1257,  1258,
                                   10000, 10007, 20127, 20866, 21866, 28591, 28592, 28593, 28594,
                                   28595, 28596, 28597, 28598, 28599, 28603, 28605, 65001};

constexpr std::size_t kWideBuffer = 2048;

std::string Take(std::string_view& bytes, std::size_t count) {
  count = std::min(count, bytes.size());
  std::string taken(bytes.substr(0, count));
  bytes.remove_prefix(count);
  return taken;
}

unsigned char TakeByte(std::string_view& bytes) {
  if (bytes.empty()) return 0;
  unsigned char c = static_cast<unsigned char>(bytes.front());
  bytes.remove_prefix(1);
  return c;
}

void CheckSplitting(std::string_view bytes) {
  const char separator = static_cast<char>(TakeByte(bytes));
  const std::size_t separatorLength = TakeByte(bytes) % 4;
  const std::string text(bytes);
  FUZZ_CHECK_EQ(Split(text, separator), reference::Split(text, separator));
  const std::string textSeparator = text.substr(0, separatorLength);
  FUZZ_CHECK_EQ(SplitByString(text, textSeparator), reference::SplitByString(text, textSeparator));
  // The separators the program splits at.
  for (char c : {',', '|', ':', ';', '=', ' '}) FUZZ_CHECK_EQ(Split(text, c), reference::Split(text, c));
  FUZZ_CHECK_EQ(SplitByString(text, "\\n"), reference::SplitByString(text, "\\n"));
}

void CheckReplaceAll(std::string_view bytes) {
  const std::size_t searchedLength = TakeByte(bytes) % 8;
  const std::size_t replacementLength = TakeByte(bytes) % 16;
  const std::string searched = Take(bytes, searchedLength);
  const std::string replacement = Take(bytes, replacementLength);
  // The reference searches from the start after every replacement: keep it quick.
  const std::string text = Take(bytes, 2048);
  FUZZ_CHECK_EQ(ReplaceAll(text, searched, replacement), reference::ReplaceAll(text, searched, replacement));
}

void CheckNumbers(std::string_view bytes) {
  const std::string text(bytes);
  int value = 0, expected = 0;
  const bool read = TryStrToInt(text, value);
  FUZZ_CHECK_EQ(read, reference::StrToInt(text, expected));
  if (read) {
    FUZZ_CHECK_EQ(value, expected);
    FUZZ_CHECK_EQ(StrToInt(text), value);
    FUZZ_CHECK(TryStrToInt(IntToStr(value), expected) && expected == value);
  }
  const std::int32_t strtolValue = reference::Strtol32(text);
  FUZZ_CHECK_EQ(Strtol32(text.c_str()), strtolValue);
  FUZZ_CHECK_EQ(Atol32(text.c_str()), strtolValue);
  // The wide reader reads ASCII as the narrow one does.
  const std::string head = text.substr(0, text.find('\0'));
  if (std::all_of(head.begin(), head.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    std::u16string wide(head.begin(), head.end());
    FUZZ_CHECK_EQ(Wcstol32(wide.c_str()), strtolValue);
  }
}

void CheckLineReader(std::string_view bytes) {
  static const std::size_t kSizes[] = {2, 3, 4, 16, 2048, 4096};
  const std::size_t bufferSize = kSizes[TakeByte(bytes) % std::size(kSizes)];
  fuzz::ProgramFolder& folder = fuzz::ProgramFolder::Get();
  folder.Write("lines.txt", bytes);
  TextFile file;
  FUZZ_CHECK(file.Open(folder.Path("lines.txt")));
  std::vector<std::string> pieces;
  AnsiString line;
  while (file.ReadLine(line, bufferSize)) pieces.push_back(line);
  FUZZ_CHECK(line.empty());
  FUZZ_CHECK(!file.ReadLine(line, bufferSize));
  FUZZ_CHECK_EQ(pieces, reference::ReadPieces(bytes, bufferSize));
}

void CheckCodePages(std::string_view bytes) {
  const std::string text(bytes);
  const std::size_t nul = std::min(text.find('\0'), text.size());
  for (unsigned codePage : kCodePages) {
    SetLastError(0);
    const WideString wide = ToWide(text, static_cast<int>(codePage));
    FUZZ_CHECK(wide.size() <= kWideBuffer);
    FUZZ_CHECK(wide.find(u'\0') == WideString::npos);
    if (text.empty()) {
      FUZZ_CHECK(wide.empty());
      continue;
    }
    if (codePage == CP_UTF8) {
      std::u16string expected;
      if (reference::DecodeUtf8(text, expected)) {
        if (expected.size() <= kWideBuffer) {
          FUZZ_CHECK_EQ(wide, expected.substr(0, expected.find(u'\0')));
        } else {
          FUZZ_CHECK(wide.empty());
          FUZZ_CHECK_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
        }
      } else if (!wide.empty()) {
        FUZZ_CHECK(wide.find(u'\uFFFD') != WideString::npos || nul < text.size());
      }
      continue;
    }
    // Every other code page has one character a byte, and never fails on content; iconv
    // composes a letter and a following accent of 1255 and 1258 into one character.
    const bool composes = codePage == 1255 || codePage == 1258;
    if (text.size() <= kWideBuffer) {
      if (composes)
        FUZZ_CHECK(wide.size() <= nul && (nul == 0 || !wide.empty()));
      else
        FUZZ_CHECK_EQ(wide.size(), nul);
    } else if (!composes) {
      FUZZ_CHECK(wide.empty());
      FUZZ_CHECK_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    }
    // Straight into the ANSI code page, as through the wide text, strict or not.
    for (unsigned flags : {0u, MB_ERR_INVALID_CHARS}) {
      SetLastError(0);
      const std::optional<AnsiString> direct = SingleByteToAnsi(codePage, flags, text);
      const unsigned directError = GetLastError();
      SetLastError(0);
      const AnsiString through = WideToAnsi(ToWide(text, static_cast<int>(codePage), flags));
      if (direct) {
        FUZZ_CHECK_EQ(*direct, through);
        FUZZ_CHECK_EQ(directError, GetLastError());
      }
    }
  }
  // The system's code pages under their own numbers.
  FUZZ_CHECK_EQ(ToWide(text, CP_ACP), ToWide(text, 1251));
  FUZZ_CHECK_EQ(ToWide(text, CP_THREAD_ACP), ToWide(text, 1251));
  FUZZ_CHECK_EQ(ToWide(text, CP_OEMCP), ToWide(text, 866));
  FUZZ_CHECK_EQ(ToWide(text, CP_MACCP), ToWide(text, 10007));
  if (text.empty()) return;
  // A number outside the table fails with ERROR_INVALID_PARAMETER.
  const unsigned unknown = 40000u + static_cast<unsigned char>(text.front());
  SetLastError(0);
  FUZZ_CHECK(ToWide(text, static_cast<int>(unknown)).empty());
  FUZZ_CHECK_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

  // Through the ANSI code page and back, and through UTF-8 and back: only the one byte that
  // 1251 leaves undefined becomes "?".
  std::string expected = text;
  std::replace(expected.begin(), expected.end(), '\x98', '?');
  FUZZ_CHECK_EQ(WideToAnsi(AnsiToWide(text)), expected);
  const std::string utf8 = AnsiToUtf8(text);
  std::u16string decoded;
  FUZZ_CHECK(reference::DecodeUtf8(utf8, decoded));
  FUZZ_CHECK_EQ(Utf8ToAnsi(utf8), expected);
  // A name that comes back from the system, whatever its bytes, names the same file again and
  // shows as it is.
  const AnsiString path = FromSystemPath(text);
  std::string back;
  FUZZ_CHECK(ToSystemPath(path, back));
  FUZZ_CHECK_EQ(back, text);
  FUZZ_CHECK_EQ(DisplayText(path), text);
}

void CheckXlsxText(std::string_view bytes) {
  WideString text(bytes.size() / 2, u'\0');
  std::memcpy(text.data(), bytes.data(), text.size() * 2);
  const std::string written = spreadsheet::XlsxCellText(text);
  std::u16string handed;
  FUZZ_CHECK(reference::DecodeUtf8(written, handed));
  // libxlsxwriter takes at most 32,767 characters as handed to it, then writes control
  // characters as "_xHHHH_" itself.
  std::size_t characters = 0;
  std::u16string file;
  for (char16_t c : handed) {
    FUZZ_CHECK(c != 0 && c != 0xFFFE && c != 0xFFFF);
    if (!(c >= 0xDC00 && c <= 0xDFFF)) ++characters;
    if (c < 0x20 && c != u'\t' && c != u'\n') {
      char escape[8];
      std::snprintf(escape, sizeof escape, "_x%04X_", static_cast<unsigned>(c));
      file.append(escape, escape + 7);
    } else {
      file += c;
    }
  }
  // What Excel shows: every "_xHHHH_" of the file is the character of that number.
  std::u16string shown;
  for (std::size_t i = 0; i < file.size(); ++i) {
    const char16_t c = file[i];
    if (c == u'_' && i + 6 < file.size() && (file[i + 1] == u'x' || file[i + 1] == u'X') && file[i + 6] == u'_') {
      const std::u16string_view digits(file.data() + i + 2, 4);
      auto isHex = [](char16_t h) { return h < 0x80 && std::isxdigit(static_cast<unsigned char>(h)); };
      if (std::all_of(digits.begin(), digits.end(), isHex)) {
        shown += static_cast<char16_t>(std::stoul(std::string(digits.begin(), digits.end()), nullptr, 16));
        i += 6;
        continue;
      }
    }
    shown += c;
  }
  FUZZ_CHECK(characters <= 32767);
  FUZZ_CHECK(shown.size() <= text.size());
  FUZZ_CHECK_EQ(shown, text.substr(0, shown.size()));
  // A text that fits even with every character escaped is shown whole.
  if (text.size() * 7 <= 32767) FUZZ_CHECK_EQ(shown.size(), text.size());
}

void CheckRangeAddresses(std::string_view bytes) {
  const std::u16string address(bytes.begin(), bytes.end());
  spreadsheet::CellRect rect;
  reference::Rect expected;
  const bool parsed = spreadsheet::ParseRangeAddress(address, rect);
  FUZZ_CHECK_EQ(parsed, reference::ParseRangeAddress(address, expected));
  if (parsed) {
    FUZZ_CHECK_EQ(rect.firstRow, expected.firstRow);
    FUZZ_CHECK_EQ(rect.lastRow, expected.lastRow);
    FUZZ_CHECK_EQ(rect.firstColumn, expected.firstColumn);
    FUZZ_CHECK_EQ(rect.lastColumn, expected.lastColumn);
  }
  // A rectangle of the sheet written as an address reads back as itself.
  if (bytes.size() >= 8) {
    auto number = [&](std::size_t at) {
      std::uint16_t n;
      std::memcpy(&n, bytes.data() + at, 2);
      return n;
    };
    const int row1 = 1 + static_cast<int>((number(0) * 16 + number(2) % 16) % spreadsheet::kMaxRows);
    const int column1 = 1 + number(4) % spreadsheet::kMaxColumns;
    const int row2 = 1 + static_cast<int>((number(2) * 16 + number(6) % 16) % spreadsheet::kMaxRows);
    const int column2 = 1 + number(6) % spreadsheet::kMaxColumns;
    const std::string made = reference::ColumnLetters(column1) + std::to_string(row1) + ":" +
                             reference::ColumnLetters(column2) + std::to_string(row2);
    FUZZ_CHECK(spreadsheet::ParseRangeAddress(std::u16string(made.begin(), made.end()), rect));
    FUZZ_CHECK_EQ(rect.firstRow, std::min(row1, row2));
    FUZZ_CHECK_EQ(rect.lastRow, std::max(row1, row2));
    FUZZ_CHECK_EQ(rect.firstColumn, std::min(column1, column2));
    FUZZ_CHECK_EQ(rect.lastColumn, std::max(column1, column2));
  }
}

void CheckWildcards(std::string_view bytes) {
  const std::size_t patternLength = TakeByte(bytes) % 32;
  const std::string pattern = Take(bytes, patternLength);
  const std::string name = Take(bytes, 256);
  FUZZ_CHECK_EQ(WildcardMatches(pattern, name), reference::WildcardMatches(pattern, name));
  FUZZ_CHECK(WildcardMatches("*", name));
  FUZZ_CHECK(WildcardMatches(name, name));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::ProgramFolder::Get();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto [choice, bytes] = fuzz::StartInput(data, size);
  switch (choice % 8) {
    case 0: CheckSplitting(bytes); break;
    case 1: CheckReplaceAll(bytes); break;
    case 2: CheckNumbers(bytes); break;
    case 3: CheckLineReader(bytes); break;
    case 4: CheckCodePages(bytes); break;
    case 5: CheckXlsxText(bytes); break;
    case 6: CheckRangeAddresses(bytes); break;
    case 7: CheckWildcards(bytes); break;
  }
  return 0;
}
