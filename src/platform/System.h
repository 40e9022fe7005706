#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/AnsiString.h"

// What the program takes from the operating system. Paths are ANSI texts like every other
// text; they are converted to the system's UTF-8 at each call. A byte of a system name that
// 1251 cannot show (a character it lacks, a byte that is no UTF-8) stands in a path as the byte
// 0x98, which 1251 leaves unassigned, and two hexadecimal digits: so every name the system
// gives can be opened again, and shown whole.

// The running executable's full path, in the ANSI code page.
AnsiString GetModuleFileName();

// The UTF-8 form of a path, or false for a 0x98 that starts no such escape.
bool ToSystemPath(const AnsiString& path, std::string& systemPath);

// A path that the system hands back, in the ANSI code page.
AnsiString FromSystemPath(const std::string& systemPath);

// A text as UTF-8 for the screen: 1251, with the escapes of system names decoded; a 0x98 that
// starts none shows as U+FFFD.
std::string DisplayText(const AnsiString& text);

// fopen for regular files only: a folder, pipe or device is refused without blocking.
std::FILE* OpenRegularFile(const AnsiString& path, const char* mode);

// The program's arguments, the program itself first, as wide text.
std::vector<WideString> GetCommandLineArguments();

// Called once by main with its UTF-8 arguments.
void SetCommandLine(int argc, char** argv);

// The signals as the program needs them, whatever its launcher passed on; called at start-up.
// SIGCHLD takes its default action, so that the programs it starts can be waited for (ignored,
// their status is lost). SIGXFSZ is ignored, so that a write past a file-size limit fails as
// a write that the user is told of, instead of ending the program with every window open.
void SetUpProcessSignals();

// Test seams: the executable's path as the system would give it, in UTF-8 (so a test can lay
// out its own program folder), and the arguments. An empty path returns to the real executable.
void SetModuleFileNameForTesting(const std::string& systemPath);
void SetCommandLineForTesting(const std::vector<std::string>& utf8Arguments);
