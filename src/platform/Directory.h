#pragma once

#include <vector>

#include "platform/AnsiString.h"

// The directory listing in place of FindFirstFileA, FindNextFileA and FindClose.

struct DirectoryEntry {
  AnsiString name;         // the name alone, without its folder
  bool directory = false;  // what Windows marks with the directory attribute
};

// The entries of a folder whose names match the wildcard after the pattern's last "/"
// ("templates/*.txt"; no "/" means the current folder). "*" stands for any run of
// characters and "?" for one; letter case does not count. Only regular files and folders
// are listed ("." and ".." are not); a name that the ANSI code page cannot show comes with
// the escapes of FromSystemPath. The names come in the order of an NTFS folder: by their
// upper-case UTF-16 form. A folder that cannot be read gives an empty list.
std::vector<DirectoryEntry> ListDirectory(const AnsiString& pattern);

// Whether a name matches a wildcard of "*" and "?", without regard to letter case.
bool WildcardMatches(const AnsiString& pattern, const AnsiString& name);
