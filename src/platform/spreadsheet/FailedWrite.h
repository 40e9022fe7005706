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

// Why a write found not whole had no room, as far as the process's file-size limit and the
// folder's file system tell: EFBIG when the sheet's file would pass the limit, ENOSPC when the
// disk lacks the room that the write takes, or 0 when neither tells. The write takes the sheet
// twice (its rows, then the sheet assembled, both in temporary files) and the package; the
// sheet's size is told by the share of its cells that reached the file. Only words the
// message: asking the disk for that room would fill it for everyone else meanwhile.
int NoRoomError(const std::string& folder, const PackageFault& fault, const SheetContent& handed,
                std::uint64_t packageBytes);

}  // namespace spreadsheet
