#include "platform/spreadsheet/XlsxCheck.h"

#include <unzip.h>

#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace spreadsheet {
namespace {

// Follows the tags of an XML text handed over in pieces: whether every element closes as it
// opened and the text ends with its one root, and how many "row" and "c" elements it holds.
// Text and attribute values are passed over; declarations, comments and processing
// instructions are skipped. A text that lost a stretch of its bytes fails here, or holds
// fewer elements: its end tags no longer match, or it ends inside a tag or a value.
class XmlTags {
 public:
  void Feed(const char* p, const char* end) {
    while (p < end && !broken_) {
      switch (state_) {
        case State::Text: p = SkipText(p, end); break;
        case State::TagStart: p = StartTag(p); break;
        case State::Name: p = ReadName(p, end); break;
        case State::Attributes: p = ReadAttributes(p, end); break;
        case State::Quoted: p = SkipTo(quote_, State::Attributes, p, end); break;
        case State::Special: p = SkipTo('>', State::Text, p, end); break;
      }
    }
  }

  bool Whole() const { return !broken_ && roots_ == 1 && open_.empty() && state_ == State::Text; }
  long Rows() const { return rows_; }
  long Cells() const { return cells_; }

 private:
  enum class State { Text, TagStart, Name, Attributes, Quoted, Special };

  static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

  const char* SkipText(const char* p, const char* end) {
    if (open_.empty()) {
      // Outside the root only blanks stand.
      for (; p < end && *p != '<'; ++p)
        if (!IsSpace(*p)) broken_ = true;
      if (p == end) return end;
    } else {
      p = static_cast<const char*>(std::memchr(p, '<', static_cast<std::size_t>(end - p)));
      if (p == nullptr) return end;
    }
    state_ = State::TagStart;
    return p + 1;
  }

  const char* StartTag(const char* p) {
    if (*p == '?' || *p == '!') {
      state_ = State::Special;
      return p + 1;
    }
    closing_ = *p == '/';
    name_.clear();
    state_ = State::Name;
    return closing_ ? p + 1 : p;
  }

  const char* ReadName(const char* p, const char* end) {
    const char* start = p;
    while (p < end && !IsSpace(*p) && *p != '/' && *p != '>') ++p;
    name_.append(start, p);
    if (p < end) {
      last_ = 0;
      state_ = State::Attributes;
    }
    return p;
  }

  const char* ReadAttributes(const char* p, const char* end) {
    for (; p < end; ++p) {
      const char c = *p;
      if (c == '>') {
        TagEnds(last_ == '/');
        state_ = State::Text;
        return p + 1;
      }
      if (c == '"' || c == '\'') {
        quote_ = c;
        last_ = c;
        state_ = State::Quoted;
        return p + 1;
      }
      last_ = c;
    }
    return p;
  }

  const char* SkipTo(char c, State next, const char* p, const char* end) {
    p = static_cast<const char*>(std::memchr(p, c, static_cast<std::size_t>(end - p)));
    if (p == nullptr) return end;
    state_ = next;
    return p + 1;
  }

  void TagEnds(bool selfClosing) {
    if (closing_) {
      if (open_.empty() || open_.back() != name_) broken_ = true;
      else open_.pop_back();
      return;
    }
    if (open_.empty()) ++roots_;
    if (name_ == "c") ++cells_;
    else if (name_ == "row") ++rows_;
    if (!selfClosing) open_.push_back(name_);
  }

  State state_ = State::Text;
  bool broken_ = false;
  bool closing_ = false;
  char quote_ = 0;
  char last_ = 0;  // the tag's character before its ">"
  std::string name_;
  std::vector<std::string> open_;
  int roots_ = 0;
  long rows_ = 0;
  long cells_ = 0;
};

bool IsXmlPart(std::string_view name) { return name.ends_with(".xml") || name.ends_with(".rels"); }

struct CloseZip {
  void operator()(void* zip) const { unzClose(zip); }
};

// Small, so that the check touches few fresh pages.
constexpr std::size_t kReadBuffer = 64 * 1024;

PackageFault Fault(PackageFault::Kind kind, std::string part = {}, std::uint64_t bytes = 0) {
  PackageFault fault;
  fault.kind = kind;
  fault.part = std::move(part);
  fault.partBytes = bytes;
  return fault;
}

}  // namespace

std::optional<PackageFault> CheckXlsxPackage(const std::string& systemPath, const SheetContent& sheet) {
  std::unique_ptr<void, CloseZip> zip(unzOpen64(systemPath.c_str()));
  if (!zip) return Fault(PackageFault::Unreadable);
  std::vector<char> buffer(kReadBuffer);
  bool sawSheet = false;
  for (int next = unzGoToFirstFile(zip.get()); next != UNZ_END_OF_LIST_OF_FILE; next = unzGoToNextFile(zip.get())) {
    if (next != UNZ_OK) return Fault(PackageFault::Unreadable);
    unz_file_info64 info;
    char name[1024];
    if (unzGetCurrentFileInfo64(zip.get(), &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK)
      return Fault(PackageFault::Unreadable);
    if (unzOpenCurrentFile(zip.get()) != UNZ_OK) return Fault(PackageFault::Unreadable, name);
    const bool xml = IsXmlPart(name);
    XmlTags tags;
    std::uint64_t bytes = 0;
    int read;
    while ((read = unzReadCurrentFile(zip.get(), buffer.data(), static_cast<unsigned>(buffer.size()))) > 0) {
      bytes += static_cast<std::uint64_t>(read);
      if (xml) tags.Feed(buffer.data(), buffer.data() + read);
    }
    // minizip compares the checksum only once the recorded size has been read.
    const int closed = unzCloseCurrentFile(zip.get());
    const bool isSheet = std::string_view(name) == kSheetPart;
    std::optional<PackageFault::Kind> kind;
    if (read < 0) kind = PackageFault::Unreadable;
    else if (closed == UNZ_CRCERROR || bytes != info.uncompressed_size) kind = PackageFault::Checksum;
    else if (closed != UNZ_OK) kind = PackageFault::Unreadable;
    else if (xml && !tags.Whole()) kind = PackageFault::Cut;
    else if (isSheet && (tags.Rows() != sheet.rows || tags.Cells() != sheet.cells)) kind = PackageFault::Content;
    if (kind) {
      PackageFault fault = Fault(*kind, name, bytes);
      if (isSheet) fault.found = {tags.Rows(), tags.Cells()};
      return fault;
    }
    sawSheet = sawSheet || isSheet;
  }
  if (!sawSheet) return Fault(PackageFault::Unreadable, kSheetPart);
  return std::nullopt;
}

}  // namespace spreadsheet
