#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace spreadsheet {

// What the writer handed to libxlsxwriter for the worksheet: its rows (each row with a cell or
// a height or format of its own) and its cells.
struct SheetContent {
  long rows = 0;
  long cells = 0;
};

// Why a written package is not whole.
struct PackageFault {
  enum Kind {
    Unreadable,   // no zip archive, or a part that cannot be found or inflated
    Checksum,     // a part inflates to another size or checksum than the archive records
    Cut,          // an XML part whose elements do not close as they opened, or that ends early
    Content,      // the worksheet holds other numbers of rows or cells than were handed over
  };
  Kind kind = Unreadable;
  std::string part;  // the part's name in the archive; empty for the archive itself
  std::uint64_t partBytes = 0;  // what the part inflated to
  SheetContent found;  // for a fault of the worksheet: what it holds, as far as it was read
};

// The part that holds the one worksheet.
constexpr const char* kSheetPart = "xl/worksheets/sheet1.xml";

// Reads the package at the system path back as a spreadsheet program would: every part
// inflates to the size and checksum that the archive records, every XML part is whole (its
// elements close in the order they opened, and it ends with its root), and the worksheet
// holds the rows and cells handed over. libxlsxwriter does not check the writes of its
// temporary files, so a full disk or a file-size limit can leave a sheet cut in its middle
// inside an archive that is otherwise sound. Empty when the package is whole.
std::optional<PackageFault> CheckXlsxPackage(const std::string& systemPath, const SheetContent& sheet);

}  // namespace spreadsheet
