#pragma once

#include <string>

#include "support/TempProgramDir.h"

// For a test that makes workbooks visible: they go into a temporary folder of its own, and
// the opener is a program that does nothing (or the one given). Undone at the end.
class WorkbookOutput {
 public:
  explicit WorkbookOutput(const std::string& opener = "/bin/true");
  ~WorkbookOutput();
  WorkbookOutput(const WorkbookOutput&) = delete;
  WorkbookOutput& operator=(const WorkbookOutput&) = delete;

  // The folder, with its trailing "/".
  const std::string& Folder() const { return dir_.Dir(); }
  const TempProgramDir& Dir() const { return dir_; }

 private:
  TempProgramDir dir_;
};
