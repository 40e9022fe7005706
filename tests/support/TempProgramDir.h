#pragma once

#include <string>

#include "platform/AnsiString.h"

// A program folder of its own for one test: the executable's path points into a fresh
// temporary folder, so the configuration readers, the log and the template listing find
// the files that the test lays out there. Removed with everything in it at the end.
class TempProgramDir {
 public:
  // The folder's name begins with the prefix (UTF-8: it may hold what 1251 lacks).
  explicit TempProgramDir(const std::string& prefix = "kelvarn-test-");
  ~TempProgramDir();
  TempProgramDir(const TempProgramDir&) = delete;
  TempProgramDir& operator=(const TempProgramDir&) = delete;

  // The folder with its trailing "/", as the system names it (UTF-8).
  const std::string& Dir() const { return dir_; }
  std::string Path(const std::string& name) const { return dir_ + name; }

  // Writes bytes as they stand (no line-end translation); creates folders on the way.
  void Write(const std::string& name, const std::string& bytes) const;
  void MakeDir(const std::string& name) const;
  std::string Read(const std::string& name) const;
  bool Exists(const std::string& name) const;

  // The shipped configuration (settings.txt, dictionary.txt, name.txt, templates/) beside
  // the program, as the build lays it out.
  void LayOutShippedConfig() const;

 private:
  std::string dir_;
};

// Bytes of a file anywhere; an empty text when it cannot be read.
std::string ReadFileBytes(const std::string& path);

// UTF-8 text of the tests' own sources in the ANSI code page (1251).
AnsiString Cp(const char* utf8);
