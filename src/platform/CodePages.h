#pragma once

#include <optional>
#include <string_view>

#include "platform/AnsiString.h"

// Code-page conversion with the numbers and error codes of the Windows API.

constexpr unsigned CP_ACP = 0;
constexpr unsigned CP_OEMCP = 1;
constexpr unsigned CP_MACCP = 2;
constexpr unsigned CP_THREAD_ACP = 3;
constexpr unsigned CP_UTF8 = 65001;

// MultiByteToWideChar's flag: fail on a byte sequence that is invalid in the code page.
constexpr unsigned MB_ERR_INVALID_CHARS = 0x8;

// The system's ANSI code page, fixed.
constexpr unsigned kAnsiCodePage = 1251;

constexpr unsigned ERROR_SUCCESS = 0;
constexpr unsigned ERROR_INVALID_PARAMETER = 87;
constexpr unsigned ERROR_INSUFFICIENT_BUFFER = 122;
constexpr unsigned ERROR_INVALID_FLAGS = 1004;
constexpr unsigned ERROR_NO_UNICODE_TRANSLATION = 1113;

unsigned GetLastError();
void SetLastError(unsigned error);

// True when the table has a converter for the code page.
bool IsCodePageKnown(unsigned codePage);

// Converts len bytes (len < 0: up to and including the terminating NUL) into at most
// wideLen UTF-16 units. wideLen 0 asks for the size only. Returns the number of units,
// or 0 with the last error set: 87 for an unknown code page or bad arguments, 122 when
// the output does not fit, 1004 for flags other than 0 and MB_ERR_INVALID_CHARS. With
// flags 0 invalid sequences become U+FFFD; with MB_ERR_INVALID_CHARS they fail with 1113.
int MultiByteToWideChar(unsigned codePage, unsigned flags, const char* bytes, int len, char16_t* wide,
                        int wideLen);

// Converts len UTF-16 units (len < 0: up to and including the NUL) into at most bytesLen
// bytes (0: size only). A character the code page cannot show becomes "?".
int WideCharToMultiByte(unsigned codePage, unsigned flags, const char16_t* wide, int len, char* bytes,
                        int bytesLen);

// Bytes of a single-byte code page straight into the ANSI code page, as MultiByteToWideChar
// into 2048 wide characters, cut at the first NUL, and then WideToAnsi make them: an empty text
// with the last error set where MultiByteToWideChar fails. Nothing for any other code page.
std::optional<AnsiString> SingleByteToAnsi(unsigned codePage, unsigned flags, std::string_view bytes);

// The class library's conversions between WideString and AnsiString (ANSI code page).
AnsiString WideToAnsi(const WideString& text);
WideString AnsiToWide(const AnsiString& text);

// Between the ANSI code page and UTF-8, for the program's own texts. ToUtf8 never fails (every
// 1251 byte but 0x98 has a character). FromUtf8 turns what 1251 cannot show into "?".
std::string AnsiToUtf8(const AnsiString& text);
AnsiString Utf8ToAnsi(std::string_view utf8);

// One byte of the ANSI code page as its character, and back, through a table made once: the
// byte 0x98, which 1251 leaves unassigned, gives U+FFFD, and a character 1251 lacks gives false.
char16_t AnsiByteToWide(unsigned char byte);
bool WideToAnsiByte(char32_t character, char& byte);

// The length of the UTF-8 sequence at i and its character; 0 for bytes that are no UTF-8
// (overlong forms, surrogates and values past U+10FFFF included, as iconv has it).
std::size_t Utf8Sequence(std::string_view text, std::size_t i, char32_t& character);
void AppendUtf8(std::string& utf8, char32_t character);

// WideString and UTF-8, with no code page in between.
std::string WideToUtf8(const WideString& text);
WideString Utf8ToUtf16(std::string_view utf8);
