#pragma once

#include <cstdint>

#include "platform/AnsiString.h"

// Levels: 0 "[TRACE]", 1 "[WARNING]", 2 "[ERROR]"; any other value is written as a trace.
void Log(const AnsiString& text, std::uint8_t level);

// The one log of the program, "logs.txt" beside the executable. It is emptied when the first
// message of a run is written, and every message is on disk when Log returns.
class Logger {
 public:
  static Logger& GetInstance();

  void Write(const AnsiString& line);
  void Clear();

  const AnsiString& Path() const { return path_; }

  // Test seam: the next message starts a fresh run (the log is emptied again), with the
  // program folder as it is then.
  static void ResetForTesting();

 private:
  Logger();

  AnsiString path_;
};
