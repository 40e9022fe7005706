#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "PackageParts.h"
#include "WorkbookOutput.h"
#include "platform/automation/ProgIds.h"
#include "platform/spreadsheet/SpreadsheetServer.h"
#include "platform/spreadsheet/XlsxCheck.h"

namespace fs = std::filesystem;
using spreadsheet::CheckXlsxPackage;
using spreadsheet::kSheetPart;
using spreadsheet::PackageFault;
using spreadsheet::SheetContent;

namespace {

constexpr int kRows = 10;
constexpr int kColumns = 3;
// And row 12, which has a height and no cell.
constexpr SheetContent kHanded = {kRows + 1, kRows * kColumns};

// A workbook of ten rows of three texts and a row of its own height, as the server writes it.
std::string WriteSmallWorkbook() {
  Variant app = CreateObject("Excel.Application");
  app.GetProperty("WorkBooks").CallMethod("add");
  Variant sheet = app.GetProperty("WorkSheets", 1);
  for (int row = 1; row <= kRows; ++row)
    for (int column = 1; column <= kColumns; ++column) {
      const std::string text = "r" + std::to_string(row) + "c" + std::to_string(column);
      sheet.GetProperty("Cells").GetProperty("Item", row, column).SetProperty("Value", WideString(text.begin(), text.end()));
    }
  sheet.GetProperty("Cells").GetProperty("Item", 12, 1).SetProperty("RowHeight", 30);
  app.SetProperty("Visible", true);
  return LastWrittenWorkbookSystemPath();
}

// The text from the start of the first "from" to the start of the first "to" after it, taken out.
std::string WithoutSpan(const std::string& xml, const std::string& from, const std::string& to) {
  const std::size_t begin = xml.find(from);
  const std::size_t end = xml.find(to, begin);
  EXPECT_NE(begin, std::string::npos) << from;
  EXPECT_NE(end, std::string::npos) << to;
  return xml.substr(0, begin) + xml.substr(end);
}

std::string Replaced(std::string text, const std::string& what, const std::string& by) {
  const std::size_t at = text.find(what);
  EXPECT_NE(at, std::string::npos) << what;
  return text.replace(at, what.size(), by);
}

}  // namespace

// The check reads a package as a spreadsheet program would. Each part below is changed while
// the archive stays sound (its checksums are those of what it holds now), as a write does whose
// temporary files lost bytes: only what the parts hold tells that it is not whole.
TEST(XlsxCheck, FindsAPartThatIsNotWholeInAnArchiveThatIsSound) {
  WorkbookOutput output;
  const PackageParts parts = ReadPackageParts(WriteSmallWorkbook());
  const std::string sheet = PartOf(parts, kSheetPart);
  ASSERT_NE(sheet.find("<row r=\"12\""), std::string::npos) << sheet;
  const std::string styles = PartOf(parts, "xl/styles.xml");
  ASSERT_FALSE(styles.empty());

  struct Case {
    const char* what;
    std::string part;  // the part changed
    std::string bytes;  // what it holds now; empty: the part is left out
    std::optional<PackageFault::Kind> fault;
    SheetContent found;  // for a fault of the content
  };
  const std::size_t middle = sheet.find("<row r=\"3\"") + 17;
  const Case cases[] = {
      {"the package as written", kSheetPart, sheet, std::nullopt, {}},
      {"rows 4 to 6 taken out of the sheet's middle, the rest well-formed", kSheetPart,
       WithoutSpan(sheet, "<row r=\"4\"", "<row r=\"7\""), PackageFault::Content, {kRows + 1 - 3, (kRows - 3) * kColumns}},
      {"one cell taken out of a row", kSheetPart, WithoutSpan(sheet, "<c r=\"B5\"", "<c r=\"C5\""),
       PackageFault::Content, {kRows + 1, kRows * kColumns - 1}},
      {"the row without cells taken out", kSheetPart, WithoutSpan(sheet, "<row r=\"12\"", "</sheetData>"),
       PackageFault::Content, {kRows, kRows * kColumns}},
      {"the sheet cut from row 3 to row 8, its end whole", kSheetPart,
       sheet.substr(0, middle) + sheet.substr(sheet.find("<row r=\"8\"") + 11), PackageFault::Cut, {}},
      {"the sheet cut at its end", kSheetPart, sheet.substr(0, sheet.size() * 3 / 5), PackageFault::Cut, {}},
      {"the sheet without the last byte of its end", kSheetPart, sheet.substr(0, sheet.size() - 1), PackageFault::Cut, {}},
      {"a tag cut inside an attribute value", kSheetPart,
       sheet.substr(0, sheet.find("<c r=\"A6\"") + 7) + sheet.substr(sheet.find("<c r=\"B6\"")), PackageFault::Cut, {}},
      {"a row closed by another name", kSheetPart, Replaced(sheet, "</row>", "</rox>"), PackageFault::Cut, {}},
      {"text after the end", kSheetPart, sheet + "x", PackageFault::Cut, {}},
      {"styles cut at their end", "xl/styles.xml", styles.substr(0, styles.size() - 20), PackageFault::Cut, {}},
      {"the sheet left out", kSheetPart, "", PackageFault::Unreadable, {}},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PackageParts changed;
    for (const auto& [name, bytes] : parts)
      if (name != c.part) changed.emplace_back(name, bytes);
      else if (!c.bytes.empty()) changed.emplace_back(name, c.bytes);
    const std::string path = output.Folder() + "changed" + std::to_string(++n) + ".xlsx";
    WritePackageParts(path, changed);
    const std::optional<PackageFault> fault = CheckXlsxPackage(path, kHanded);
    ASSERT_EQ(fault.has_value(), c.fault.has_value()) << (fault ? fault->part : "");
    if (!fault) continue;
    EXPECT_EQ(fault->kind, *c.fault);
    EXPECT_EQ(fault->part, c.part);
    if (c.fault == PackageFault::Content) {
      EXPECT_EQ(fault->found.rows, c.found.rows);
      EXPECT_EQ(fault->found.cells, c.found.cells);
      EXPECT_EQ(fault->partBytes, c.bytes.size());
    }
  }
}

// Damage to the archive itself: what a part holds no longer matches its checksum, or the
// archive ends early, or it is none.
TEST(XlsxCheck, FindsAnArchiveThatIsDamaged) {
  WorkbookOutput output;
  const std::string written = WriteSmallWorkbook();
  ASSERT_EQ(CheckXlsxPackage(written, kHanded), std::nullopt);
  // Stored parts stand in the file as they are, so a byte of the sheet's can be changed there.
  const std::string stored = output.Folder() + "stored.xlsx";
  WritePackageParts(stored, ReadPackageParts(written), true);
  ASSERT_EQ(CheckXlsxPackage(stored, kHanded), std::nullopt);
  std::string bytes;
  {
    std::ifstream in(stored, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  struct Case {
    const char* what;
    std::function<std::string(std::string)> change;
    PackageFault::Kind fault;
    std::string part;
  };
  const Case cases[] = {
      {"a byte of the sheet changed", [](std::string b) { return Replaced(b, ">r5c2<", ">r5c3<"); },
       PackageFault::Checksum, kSheetPart},
      {"the archive cut in its middle", [](std::string b) { return b.substr(0, b.size() / 2); },
       PackageFault::Unreadable, ""},
      {"the archive without its last bytes", [](std::string b) { return b.substr(0, b.size() - 10); },
       PackageFault::Unreadable, ""},
      {"no archive", [](std::string) { return std::string("<?xml version=\"1.0\"?><worksheet/>"); },
       PackageFault::Unreadable, ""},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = output.Folder() + "damaged" + std::to_string(++n) + ".xlsx";
    std::ofstream(path, std::ios::binary) << c.change(bytes);
    const std::optional<PackageFault> fault = CheckXlsxPackage(path, kHanded);
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(fault->kind, c.fault);
    EXPECT_EQ(fault->part, c.part);
  }
  EXPECT_EQ(CheckXlsxPackage(output.Folder() + "none.xlsx", kHanded)->kind, PackageFault::Unreadable);
}
