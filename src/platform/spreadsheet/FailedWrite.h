#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/spreadsheet/XlsxCheck.h"

namespace spreadsheet {

// What a write opens in its folder (a system path) and leaves open. libxlsxwriter's error
// paths leave a temporary file open, whose space stays taken until the program ends: made
// before the write, this closes afterwards what the write opened there and did not close.
class OpenedByWrite {
 public:
  explicit OpenedByWrite(const std::string& folder);
  // Only once the writer has let go of everything it made.
  void CloseLeftOpen() const;

 private:
  std::string realFolder_;  // with a trailing "/"; empty when the folder cannot be resolved
  std::vector<std::pair<int, std::string>> before_;  // descriptor and what it leads to
};

// Asks the folder's file system for the room that a write needed: the error that refuses it
// (ENOSPC, EDQUOT, or EFBIG for a file-size limit), or 0 when the room is there.
int NoRoomError(const std::string& folder, std::uint64_t bytes);

// The room that a write of a package took: the sheet twice (its rows, then the sheet assembled,
// both in temporary files) and the package itself, as far as a package found not whole tells.
// The sheet's size is told by the share of its cells that reached the file.
std::uint64_t RoomNeeded(const PackageFault& fault, const SheetContent& handed, std::uint64_t packageBytes);

}  // namespace spreadsheet
