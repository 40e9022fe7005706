#include "data/RawData.h"

#include <algorithm>
#include <cstring>

#include "logger/Logger.h"
#include "settings/Settings.h"
#include "strings/Strings.h"

namespace {

constexpr std::size_t kLargestChunk = std::size_t{1} << 22;

}  // namespace

std::string_view RawRows::StoreIn(Storage& storage, std::string_view text) {
  if (text.size() > storage.left) {
    // Chunks grow with the file, up to a size whose first touch costs little.
    storage.chunkSize = std::min(storage.chunkSize * 2, kLargestChunk);
    const std::size_t size = std::max(storage.chunkSize, text.size());
    storage.chunks.push_back(std::make_unique_for_overwrite<char[]>(size));
    storage.next = storage.chunks.back().get();
    storage.left = size;
  }
  char* at = storage.next;
  if (!text.empty()) std::memcpy(at, text.data(), text.size());
  storage.next += text.size();
  storage.left -= text.size();
  return std::string_view(at, text.size());
}

RawRows::Storage& RawRows::Own() {
  if (!storage_) {
    storage_ = std::make_shared<Storage>();
  } else if (storage_.use_count() > 1) {
    // Shared with a copy: this one takes lines of its own before it changes. They go straight
    // into the new storage, which is not yet this one's.
    auto own = std::make_shared<Storage>();
    own->layouts = storage_->layouts;
    own->rows.reserve(storage_->rows.size());
    for (const Row& row : storage_->rows) {
      std::string_view stored = StoreIn(*own, std::string_view(row.text, row.length));
      own->rows.push_back({stored.data(), row.length, row.layout});
    }
    storage_ = std::move(own);
  }
  return *storage_;
}

std::string_view RawRows::Store(std::string_view text) { return StoreIn(Own(), text); }

void RawRows::AddStored(std::string_view stored, const std::shared_ptr<const FieldLayout>& layout) {
  Storage& storage = Own();
  if (storage.layouts.empty() || storage.layouts.back() != layout) storage.layouts.push_back(layout);
  storage.rows.push_back(
      {stored.data(), static_cast<std::uint32_t>(stored.size()), static_cast<std::uint32_t>(storage.layouts.size() - 1)});
}

void RawRows::Add(std::string_view line, const Settings& settings) {
  std::shared_ptr<const FieldLayout> layout = FieldLayout::Of(settings);
  AddStored(Store(line), layout);
}

void RawRows::reserve(std::size_t rows) { Own().rows.reserve(rows); }

RawItemData RawRows::operator[](std::size_t index) const {
  const Row& row = storage_->rows[index];
  const std::string_view line(row.text, row.length);
  thread_local std::vector<std::string_view> pieces;
  SplitViews(line, ',', pieces);
  return RawItemData(line, pieces, storage_->layouts[row.layout]);
}

bool RawData::Parse(const std::vector<AnsiString>& lines, const Settings& settings) {
  rows.reserve(rows.size() + lines.size());
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    try {
      AddLine(*line, settings);
    } catch (...) {
      Log("Can't parse '" + *line + "' raw data...", 1);
      return false;
    }
  }
  return true;
}

void RawData::AddLine(const AnsiString& line, const Settings& settings) {
  std::vector<AnsiString> pieces;
  try {
    pieces = Split(line, ',');
  } catch (...) {
    Log("Can't split: '" + line + "'...", 1);
    return;
  }
  if (pieces.size() < 2) Log("wrong split: '" + line + "' to '" + line + "'...", 1);
  if (!pieces.empty()) rows.Add(line, settings);
}

void RawData::AddStoredLine(std::string_view stored, const std::shared_ptr<const FieldLayout>& layout) {
  // The warning and the row of AddLine, without a copy of the line. It splits into fewer than
  // two pieces when it holds no ",", or only one that ends it.
  const std::size_t comma = stored.find(',');
  if (comma == std::string_view::npos || comma + 1 == stored.size()) {
    const AnsiString line(stored);
    Log("wrong split: '" + line + "' to '" + line + "'...", 1);
  }
  if (!stored.empty()) rows.AddStored(stored, layout);
}
