#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>

#include "platform/AnsiString.h"

// A file read in the C runtime's Windows text mode, through a buffer of a fixed size:
// carriage returns are dropped before counting, a read returns at most size - 1 bytes up to
// and including its line feed, and a Ctrl-Z ends the input. The text of a read ends at its
// first NUL byte, though the bytes after it still count toward the read.
class TextFile {
 public:
  TextFile() = default;
  ~TextFile();
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  // Opens a regular file for reading (mode "r"); a folder, pipe or device counts as a
  // file that cannot be opened, as does a name that has no UTF-8 form.
  bool Open(const AnsiString& path);
  void Close();
  bool IsOpen() const { return file_ != nullptr; }
  // The size of the open file in bytes; 0 when none is open.
  std::size_t Size() const;

  // The next read, as fgets with a buffer of bufferSize bytes gives it. False at the end.
  bool ReadLine(AnsiString& line, std::size_t bufferSize);

 private:
  // Reads the next block; false at the end of the file.
  bool Fill();

  std::FILE* file_ = nullptr;
  bool ended_ = false;  // a Ctrl-Z or the end of the file was met
  std::unique_ptr<char[]> buffer_;
  std::size_t position_ = 0;
  std::size_t filled_ = 0;
};
