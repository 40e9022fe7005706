#include <gtest/gtest.h>

#include "logger/Logger.h"
#include "support/ProgramFixture.h"

using namespace std::string_literals;

class LoggerTest : public ProgramFixture {};

TEST_F(LoggerTest, WritesOneLinePerMessageWithItsPrefix) {
  Log("start application", 0);
  Log("cp is: 1251...", 1);
  Log("broken", 2);
  Log("odd level", 7);
  Log("", 0);
  Log("line\n", 1);
  Log("cut\0here"s, 0);
  EXPECT_EQ(LogText(),
            "[TRACE] start application\n"
            "[WARNING] cp is: 1251...\n"
            "[ERROR] broken\n"
            "[TRACE] odd level\n"
            "[TRACE] \n"
            "[WARNING] line\n\n"
            "[TRACE] cut\n");
}

TEST_F(LoggerTest, TheFirstMessageOfARunEmptiesThePreviousLog) {
  dir.Write("logs.txt", "old run\n");
  Logger::GetInstance();
  EXPECT_EQ(LogText(), "") << "the log is emptied when the logger comes into being";
  Log("new", 0);
  EXPECT_EQ(LogText(), "[TRACE] new\n");
  Log("more", 0);
  EXPECT_EQ(LogText(), "[TRACE] new\n[TRACE] more\n") << "emptied once per run";
}

TEST_F(LoggerTest, ARunThatLogsNothingLeavesThePreviousLog) {
  dir.Write("logs.txt", "old run\n");
  EXPECT_EQ(LogText(), "old run\n");
}

TEST_F(LoggerTest, ALogDeletedDuringTheRunIsCreatedAgain) {
  Log("one", 0);
  std::remove(dir.Path("logs.txt").c_str());
  Log("two", 0);
  EXPECT_EQ(LogText(), "[TRACE] two\n");
}

TEST(LoggerPaths, AnUnwritableLogLosesTheMessageSilently) {
  TempProgramDir dir;
  dir.Write("file", "x");
  // The program "folder" lies under a regular file, so nothing can be created there.
  SetModuleFileNameForTesting(dir.Path("file/kelvarn"));
  Logger::ResetForTesting();
  Log("lost", 0);
  EXPECT_EQ(Logger::GetInstance().Path(), dir.Path("file/logs.txt"));

  dir.MakeDir("folder/logs.txt");
  SetModuleFileNameForTesting(dir.Path("folder/kelvarn"));
  Logger::ResetForTesting();
  Log("lost too", 0);
  EXPECT_TRUE(dir.Exists("folder/logs.txt"));

  Logger::ResetForTesting();
  SetModuleFileNameForTesting("");
}
