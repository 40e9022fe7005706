#include "platform/TextFile.h"

#include <sys/stat.h>

#include <cstring>

#include "platform/System.h"

TextFile::~TextFile() { Close(); }

namespace {

constexpr std::size_t kBlock = 1 << 16;

}  // namespace

bool TextFile::Open(const AnsiString& path) {
  Close();
  file_ = OpenRegularFile(path, "rb");
  ended_ = false;
  position_ = filled_ = 0;
  return file_ != nullptr;
}

void TextFile::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

std::size_t TextFile::Size() const {
  struct stat st;
  if (file_ == nullptr || fstat(fileno(file_), &st) != 0 || st.st_size < 0) return 0;
  return static_cast<std::size_t>(st.st_size);
}

bool TextFile::Fill() {
  if (ended_ || file_ == nullptr) return false;
  if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(kBlock);
  position_ = 0;
  filled_ = std::fread(buffer_.get(), 1, kBlock, file_);
  if (filled_ == 0) ended_ = true;
  return filled_ > 0;
}

bool TextFile::ReadLine(AnsiString& line, std::size_t bufferSize) {
  line.clear();
  if (file_ == nullptr || bufferSize < 2) return false;
  std::size_t count = 0;
  bool nul = false;
  bool any = false;
  while (count < bufferSize - 1) {
    if (position_ == filled_ && !Fill()) break;
    const char* next = buffer_.get() + position_;
    const char* const end = buffer_.get() + filled_;
    // Take bytes up to the line feed, the limit, the end of the block or a byte of its own.
    const char* start = next;
    while (next != end && count < bufferSize - 1) {
      const char c = *next;
      if (c == '\r' || c == '\x1A' || c == '\0') break;
      ++next;
      ++count;
      if (c == '\n') break;
    }
    if (!nul) line.append(start, static_cast<std::size_t>(next - start));
    any = any || next != start;
    position_ = static_cast<std::size_t>(next - buffer_.get());
    if (next != start && next[-1] == '\n') break;
    if (next == end || count >= bufferSize - 1) continue;
    // A carriage return is dropped, a Ctrl-Z ends the input, a NUL ends the line's text.
    const char c = *next;
    ++position_;
    if (c == '\x1A') {
      ended_ = true;
      position_ = filled_ = 0;
      break;
    }
    if (c == '\0') {
      nul = true;
      any = true;
      ++count;
    }
  }
  return any;
}
