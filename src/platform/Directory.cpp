#include "platform/Directory.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "platform/CodePages.h"
#include "platform/System.h"

namespace {

// Upper case of the letters that code page 1251 holds: Latin, Russian and the other
// Cyrillic letters, which is all that a listed name can contain.
char16_t UpperCase(char16_t c) {
  if (c >= u'a' && c <= u'z') return c - 0x20;
  if (c >= 0x0430 && c <= 0x044F) return c - 0x20;
  if (c >= 0x0450 && c <= 0x045F) return c - 0x50;
  if (c == 0x0491) return 0x0490;
  return c;
}

WideString UpperCase(const AnsiString& text) {
  WideString wide = AnsiToWide(text);
  for (auto& c : wide) c = UpperCase(c);
  return wide;
}

bool Matches(const char16_t* pattern, const char16_t* patternEnd, const char16_t* name,
             const char16_t* nameEnd) {
  // Greedy match with one point to come back to: the last "*" seen. A "*" of the pattern
  // is always the wildcard, also where the name holds a "*" (a legal name here).
  const char16_t* star = nullptr;
  const char16_t* resume = nullptr;
  while (name != nameEnd) {
    if (pattern != patternEnd && *pattern == u'*') {
      star = pattern++;
      resume = name;
    } else if (pattern != patternEnd && (*pattern == u'?' || *pattern == *name)) {
      ++pattern;
      ++name;
    } else if (star != nullptr) {
      pattern = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (pattern != patternEnd && *pattern == u'*') ++pattern;
  return pattern == patternEnd;
}

}  // namespace

bool WildcardMatches(const AnsiString& pattern, const AnsiString& name) {
  WideString p = UpperCase(pattern);
  WideString n = UpperCase(name);
  return Matches(p.data(), p.data() + p.size(), n.data(), n.data() + n.size());
}

std::vector<DirectoryEntry> ListDirectory(const AnsiString& pattern) {
  std::vector<DirectoryEntry> entries;
  auto slash = pattern.rfind('/');
  AnsiString folder = slash == AnsiString::npos ? AnsiString(".") : pattern.substr(0, slash + 1);
  AnsiString mask = slash == AnsiString::npos ? pattern : pattern.substr(slash + 1);
  std::string systemFolder;
  if (mask.empty() || !ToSystemPath(folder, systemFolder)) return entries;

  DIR* dir = opendir(systemFolder.c_str());
  if (dir == nullptr) return entries;
  std::vector<std::pair<WideString, DirectoryEntry>> found;
  while (dirent* item = readdir(dir)) {
    std::string systemName = item->d_name;
    if (systemName == "." || systemName == "..") continue;
    DirectoryEntry entry;
    entry.name = FromSystemPath(systemName);
    if (!WildcardMatches(mask, entry.name)) continue;
    // The kind of what a name stands for, through a symbolic link; a pipe, device or
    // dangling link is no file the program could open.
    struct stat st;
    if (fstatat(dirfd(dir), item->d_name, &st, 0) != 0) continue;
    if (S_ISDIR(st.st_mode))
      entry.directory = true;
    else if (!S_ISREG(st.st_mode))
      continue;
    found.emplace_back(UpperCase(entry.name), std::move(entry));
  }
  closedir(dir);

  // Names that differ only in case (possible here, not on NTFS) keep a fixed order.
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    return a.second.name < b.second.name;
  });
  entries.reserve(found.size());
  for (auto& f : found) entries.push_back(std::move(f.second));
  return entries;
}
