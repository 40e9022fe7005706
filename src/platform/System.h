#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/AnsiString.h"

// What the program takes from the operating system. Paths are ANSI texts like every other
// text; they are converted to the system's UTF-8 at each call.

// The running executable's full path, in the ANSI code page.
AnsiString GetModuleFileName();

// The UTF-8 form of a path, or false when it has none.
bool ToSystemPath(const AnsiString& path, std::string& systemPath);

// A path that the system hands back, in the ANSI code page; false when it holds a character
// that the code page cannot show.
bool FromSystemPath(const std::string& systemPath, AnsiString& path);

// fopen for regular files only: a folder, pipe or device is refused without blocking.
std::FILE* OpenRegularFile(const AnsiString& path, const char* mode);

// The program's arguments, the program itself first, as wide text.
std::vector<WideString> GetCommandLineArguments();

// Called once by main with its UTF-8 arguments.
void SetCommandLine(int argc, char** argv);

// Test seams: the executable's path (so a test can lay out its own program folder) and the
// arguments. An empty path returns to the real executable.
void SetModuleFileNameForTesting(const AnsiString& path);
void SetCommandLineForTesting(const std::vector<std::string>& utf8Arguments);
