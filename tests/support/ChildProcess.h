#pragma once

#include <functional>
#include <string>

// How a child process ended, and what it told its parent.
struct ChildResult {
  int status = 0;      // as waitpid gives it
  std::string output;  // what the body returned

  bool Exited() const;  // ended by itself with status 0
  std::string How() const;  // "exit 0", "signal 25", for failure messages
};

// A soft limit on the size of the files that this process writes (RLIMIT_FSIZE), for the life
// of the object; the hard limit stays, so the one before can be set again.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(unsigned long long bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  unsigned long long before_;
};

// Runs the body in a child process made by fork (no exec: the child goes on with the test's
// state) and waits for it. What the body returns reaches the parent through a pipe; the child
// then ends with _exit(0). Whatever a test must find out happens in the parent: a failed check
// in the child would not be counted.
ChildResult RunInChild(const std::function<std::string()>& body);
