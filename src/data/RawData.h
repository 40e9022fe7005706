#pragma once

#include <cstdint>
#include <iterator>
#include <memory>
#include <string_view>
#include <vector>

#include "data/RawItemData.h"

class Settings;

// The raw rows of a file, kept as their lines: a row is made from its line when it is asked
// for, so a million lines cost their text and no more. Copies share the lines, which never
// change once added; a copy that adds lines takes its own first.
class RawRows {
 public:
  class const_iterator {
   public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = RawItemData;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = RawItemData;

    const_iterator() = default;
    const_iterator(const RawRows* rows, std::size_t index) : rows_(rows), index_(index) {}
    RawItemData operator*() const { return (*rows_)[index_]; }
    const_iterator& operator++() { return ++index_, *this; }
    const_iterator operator++(int) { return {rows_, index_++}; }
    difference_type operator-(const const_iterator& other) const {
      return static_cast<difference_type>(index_) - static_cast<difference_type>(other.index_);
    }
    bool operator==(const const_iterator& other) const { return index_ == other.index_; }

   private:
    const RawRows* rows_ = nullptr;
    std::size_t index_ = 0;
  };

  std::size_t size() const { return storage_ ? storage_->rows.size() : 0; }
  bool empty() const { return size() == 0; }
  RawItemData operator[](std::size_t index) const;
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, size()}; }

  // A row of a line under the settings' field-index map; the line is copied.
  void Add(std::string_view line, const Settings& settings);
  // Keeps the text with the rows' own and gives it back, so that rows can be added from it
  // without another copy.
  std::string_view Store(std::string_view text);
  // A row of a text that Store gave back.
  void AddStored(std::string_view stored, const std::shared_ptr<const FieldLayout>& layout);
  void reserve(std::size_t rows);

 private:
  struct Row {
    const char* text;
    std::uint32_t length;
    std::uint32_t layout;  // index into layouts
  };
  struct Storage {
    std::vector<std::unique_ptr<char[]>> chunks;
    char* next = nullptr;
    std::size_t left = 0;
    std::size_t chunkSize = 4096;
    std::vector<Row> rows;
    std::vector<std::shared_ptr<const FieldLayout>> layouts;
  };
  Storage& Own();
  // Keeps the text in the storage's chunks and gives it back.
  static std::string_view StoreIn(Storage& storage, std::string_view text);

  std::shared_ptr<Storage> storage_;
};

// Every kept line of a results file as a raw row, the last line of the file first.
class RawData {
 public:
  // Adds the lines from the last to the first; false when one of them could not be added.
  bool Parse(const std::vector<AnsiString>& lines, const Settings& settings);
  void AddLine(const AnsiString& line, const Settings& settings);
  // AddLine for a text that rows.Store gave back.
  void AddStoredLine(std::string_view stored, const std::shared_ptr<const FieldLayout>& layout);

  RawRows rows;
};
