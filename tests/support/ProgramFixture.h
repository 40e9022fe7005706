#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logger/Logger.h"
#include "platform/System.h"
#include "support/TempProgramDir.h"

// A test with a program folder of its own, no command-line arguments but the program, and a
// log that starts a fresh run in that folder.
class ProgramFixture : public ::testing::Test {
 protected:
  ProgramFixture() {
    Logger::ResetForTesting();
    SetCommandLineForTesting({dir.Path("kelvarn")});
  }
  ~ProgramFixture() override {
    Logger::ResetForTesting();
    SetCommandLineForTesting({});
  }

  // The program's arguments after the program itself.
  void SetArguments(const std::vector<std::string>& arguments) {
    std::vector<std::string> all = {dir.Path("kelvarn")};
    all.insert(all.end(), arguments.begin(), arguments.end());
    SetCommandLineForTesting(all);
  }

  // The log as written, byte for byte.
  std::string LogText() const { return dir.Read("logs.txt"); }

  TempProgramDir dir;
};
