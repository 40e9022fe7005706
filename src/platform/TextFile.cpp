#include "platform/TextFile.h"

#include <cstring>

#include "platform/System.h"

TextFile::~TextFile() { Close(); }

bool TextFile::Open(const AnsiString& path) {
  Close();
  file_ = OpenRegularFile(path, "rb");
  ended_ = false;
  return file_ != nullptr;
}

void TextFile::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

int TextFile::NextByte() {
  while (!ended_) {
    int c = std::getc(file_);
    if (c == EOF || c == 0x1A) {
      ended_ = true;
      break;
    }
    if (c == '\r') continue;
    return c;
  }
  return EOF;
}

bool TextFile::ReadLine(AnsiString& line, std::size_t bufferSize) {
  line.clear();
  if (file_ == nullptr || bufferSize < 2) return false;
  std::size_t count = 0;
  bool nul = false;
  bool any = false;
  while (count < bufferSize - 1) {
    int c = NextByte();
    if (c == EOF) break;
    any = true;
    ++count;
    if (c == '\0') nul = true;
    if (!nul) line.push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  return any;
}
