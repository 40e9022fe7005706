#include <gtest/gtest.h>

#include <xlsxwriter.h>

#include <filesystem>

#include "WorkbookOutput.h"
#include "automation/FailureOf.h"
#include "platform/CodePages.h"
#include "platform/Exception.h"
#include "platform/automation/AutomationObject.h"
#include "platform/automation/ProgIds.h"
#include "platform/spreadsheet/Application.h"

using namespace spreadsheet;

namespace {

std::shared_ptr<Application> ApplicationOf(const Variant& app) {
  return std::dynamic_pointer_cast<Application>(app.AsObject());
}

Variant NewApplicationWithWorkbook() {
  Variant app = CreateObject("Excel.Application");
  app.GetProperty("WorkBooks").CallMethod("add");
  return app;
}

const Sheet& SheetOf(const Variant& app) { return ApplicationOf(app)->ActiveWorkbook()->sheet; }

Cell CellAt(const Variant& app, int row, int column) { return SheetOf(app).Find(row, column).value_or(Cell()); }

const CellFormat& FormatAt(const Variant& app, int row, int column) { return SheetOf(app).FormatOf(row, column); }

class Server : public ::testing::Test {
 protected:
  Variant app = NewApplicationWithWorkbook();
  Variant sheet = app.GetProperty("WorkSheets", 1);
  Variant Cell(int row, int column) const { return sheet.GetProperty("Cells").GetProperty("Item", row, column); }
  Variant Range(const char16_t* address) const { return sheet.GetProperty("Range", address); }
  AnsiString SetFontSize(const char16_t* range, int points) const {
    return FailureOf([&] { Range(range).GetProperty("Font").SetProperty("Size", points); });
  }
};

}  // namespace

TEST(ServerInstances, ANewApplicationHasNoWorkbookAndAddMakesTheNewOneActive) {
  Variant app = CreateObject("Excel.Application");
  EXPECT_EQ(FailureOf([&] { app.GetProperty("WorkSheets", 1); }),
            "Unable to get the Worksheets property of the Application class");
  app.GetProperty("workbooks").CallMethod("ADD");
  Variant first = app.GetProperty("worksheets", 1);
  app.GetProperty("WorkBooks").CallMethod("add");
  Variant second = app.GetProperty("WorkSheets", 1);
  auto application = ApplicationOf(app);
  ASSERT_EQ(application->Workbooks().size(), 2u);
  EXPECT_EQ(application->ActiveWorkbook(), application->Workbooks()[1]);
  second.GetProperty("Cells").GetProperty("Item", 1, 1).SetProperty("Value", u"second");
  first.GetProperty("Cells").GetProperty("Item", 1, 1).SetProperty("Value", u"first");
  EXPECT_EQ(std::get<WideString>(application->Workbooks()[0]->sheet.Find(1, 1)->value), u"first");
  EXPECT_EQ(std::get<WideString>(application->Workbooks()[1]->sheet.Find(1, 1)->value), u"second");
  EXPECT_NE(application->Workbooks()[0]->number, application->Workbooks()[1]->number);
}

TEST(ServerInstances, AnInstanceLivesWhileAnyOfItsObjectsIsHeld) {
  Variant app = NewApplicationWithWorkbook();
  std::weak_ptr<Application> watch = ApplicationOf(app);
  Variant cell = app.GetProperty("WorkSheets", 1).GetProperty("Cells").GetProperty("Item", 1, 1);
  app = Variant();
  ASSERT_FALSE(watch.expired());
  EXPECT_EQ(GetActiveObject("Excel.Application").AsObject(), watch.lock());
  cell.SetProperty("Value", u"still there");
  cell = Variant();
  EXPECT_TRUE(watch.expired());
}

TEST_F(Server, MembersMatchWithoutRegardToCase) {
  sheet.GetProperty("CELLS").GetProperty("item", 2, 3).SetProperty("value", u"x");
  sheet.GetProperty("range", u"a1").GetProperty("FONT").SetProperty("bold", true);
  sheet.GetProperty("Range", u"A2").GetProperty("borders", 7).SetProperty("linestyle", 1);
  EXPECT_EQ(std::get<WideString>(CellAt(app, 2, 3).value), u"x");
  EXPECT_TRUE(FormatAt(app, 1, 1).bold);
  EXPECT_EQ(FormatAt(app, 2, 1).borders[0], LXW_BORDER_THIN);
}

TEST_F(Server, UnknownMembersAndWrongArgumentsAreRefused) {
  Variant cell = Cell(1, 1);
  Variant objects[] = {app, app.GetProperty("WorkBooks"), sheet, cell, cell.GetProperty("Font"),
                       cell.GetProperty("Borders", 7)};
  for (const Variant& object : objects) {
    EXPECT_EQ(FailureOf([&] { object.GetProperty("Nonsense"); }), "Unknown name: Nonsense");
    EXPECT_EQ(FailureOf([&] { object.SetProperty("Nonsense", 1); }), "Unknown name: Nonsense");
    EXPECT_EQ(FailureOf([&] { object.CallMethod("Nonsense"); }), "Unknown name: Nonsense");
  }
  EXPECT_EQ(FailureOf([&] { app.GetProperty("WorkSheets"); }), "Invalid number of parameters");
  EXPECT_EQ(FailureOf([&] { sheet.GetProperty("Cells").GetProperty("Item", 1); }), "Invalid number of parameters");
  EXPECT_EQ(FailureOf([&] { sheet.GetProperty("Range"); }), "Invalid number of parameters");
  EXPECT_EQ(FailureOf([&] { sheet.GetProperty("Range", 5); }), "Type mismatch");
  EXPECT_EQ(FailureOf([&] { cell.SetProperty("ColumnWidth", u"10"); }), "Type mismatch");
  EXPECT_EQ(FailureOf([&] { cell.SetProperty("NumberFormat", 0); }), "Type mismatch");
  EXPECT_EQ(FailureOf([&] { cell.SetProperty("Value", sheet); }), "Type mismatch");
  EXPECT_EQ(FailureOf([&] { app.GetProperty("WorkSheets", 2); }),
            "Unable to get the Worksheets property of the Application class");
  EXPECT_EQ(FailureOf([&] { app.SetProperty("Visible", u"yes"); }), "Type mismatch");
}

TEST_F(Server, CellsAndRangesStayWithinExcelsLimits) {
  EXPECT_EQ(FailureOf([&] { Cell(1048576, 16384).SetProperty("Value", u"corner"); }), "no failure");
  EXPECT_EQ(std::get<WideString>(CellAt(app, 1048576, 16384).value), u"corner");
  for (auto [row, column] : {std::pair{0, 1}, {1, 0}, {1048577, 1}, {1, 16385}, {-1, -1}})
    EXPECT_EQ(FailureOf([&] { Cell(row, column); }), "Unable to get the Item property of the Range class");
  for (const char16_t* address : {u"A0:A1", u"XFE1", u"A1:A1048577", u"A1;B2", u""})
    EXPECT_EQ(FailureOf([&] { Range(address); }), "Unable to get the Range property of the Worksheet class");
  // Item counts from the range's first cell.
  Range(u"C3:D4").GetProperty("Item", 2, 2).SetProperty("Value", u"D4");
  EXPECT_EQ(std::get<WideString>(CellAt(app, 4, 4).value), u"D4");
}

TEST_F(Server, ValuesOfEachKind) {
  Range(u"A1:B2").SetProperty("Value", u"0012");
  Cell(3, 1).SetProperty("Value", 42);
  Cell(3, 2).SetProperty("Value", true);
  Cell(1, 1).SetProperty("Value", Variant());
  EXPECT_TRUE(std::holds_alternative<std::monostate>(CellAt(app, 1, 1).value));
  EXPECT_EQ(std::get<double>(CellAt(app, 2, 2).value), 12);
  EXPECT_EQ(std::get<double>(CellAt(app, 3, 1).value), 42);
  EXPECT_EQ(std::get<bool>(CellAt(app, 3, 2).value), true);
  Range(u"C1:C2").SetProperty("NumberFormat", u"@");
  Cell(2, 3).SetProperty("Value", u"0012");
  EXPECT_EQ(std::get<WideString>(CellAt(app, 2, 3).value), u"0012");
  Cell(3, 3).SetProperty("Value", u"=A1");
  EXPECT_EQ(std::get<WideString>(CellAt(app, 3, 3).value), u"=A1");
}

TEST_F(Server, FormatsAndTheirLimits) {
  Variant cell = Cell(2, 2);
  struct Case {
    const char* member;
    int value;
    bool accepted;
  } cases[] = {{"ColumnWidth", 0, true},   {"ColumnWidth", 255, true}, {"ColumnWidth", -1, false},
               {"ColumnWidth", 256, false}, {"RowHeight", 0, true},    {"RowHeight", 409, true},
               {"RowHeight", -1, false},    {"RowHeight", 410, false}};
  for (const auto& c : cases) {
    AnsiString failure = FailureOf([&] { cell.SetProperty(c.member, c.value); });
    EXPECT_EQ(failure, c.accepted ? "no failure" : "Unable to set the " + AnsiString(c.member) + " property of the Range class")
        << c.member << " " << c.value;
  }
  for (auto [size, accepted] : {std::pair{1, true}, {409, true}, {0, false}, {410, false}, {-9, false}})
    EXPECT_EQ(FailureOf([&] { cell.GetProperty("Font").SetProperty("Size", size); }) == "no failure", accepted) << size;
  EXPECT_EQ(FormatAt(app, 2, 2).fontSize, 409);

  Range(u"B1:D1").SetProperty("ColumnWidth", 12);
  Range(u"A5:A6").SetProperty("RowHeight", 30);
  EXPECT_EQ(SheetOf(app).ColumnWidths(), (std::map<int, int>{{2, 12}, {3, 12}, {4, 12}}));
  EXPECT_EQ(SheetOf(app).RowHeights(), (std::map<int, int>{{2, 409}, {5, 30}, {6, 30}}));

  cell.SetProperty("WrapText", true);
  cell.GetProperty("Font").SetProperty("Bold", -1);  // an automation boolean
  EXPECT_TRUE(FormatAt(app, 2, 2).wrap);
  EXPECT_TRUE(FormatAt(app, 2, 2).bold);
  cell.SetProperty("NumberFormat", u"0.00");
  EXPECT_EQ(FormatAt(app, 2, 2).numberFormat, u"0.00");
  for (const WideString& format : {WideString(u"0\n0"), WideString(256, u'0')})
    EXPECT_EQ(FailureOf([&] { cell.SetProperty("NumberFormat", format); }),
              "Unable to set the NumberFormat property of the Range class");
}

TEST_F(Server, BordersAreTheFourOuterEdgesWithExcelsLineStyles) {
  Variant range = Range(u"B2:C3");
  for (int index : {5, 6, 11, 12, 0})
    EXPECT_EQ(FailureOf([&] { range.GetProperty("Borders", index); }),
              "Unable to get the Item property of the Borders class");
  range.GetProperty("Borders", 7).SetProperty("LineStyle", 1);
  range.GetProperty("Borders", 8).SetProperty("LineStyle", -4119);
  range.GetProperty("Borders", 9).SetProperty("LineStyle", -4118);
  range.GetProperty("Borders", 10).SetProperty("LineStyle", -4115);
  EXPECT_EQ(FormatAt(app, 2, 2).borders, (std::array<std::uint8_t, 4>{LXW_BORDER_THIN, LXW_BORDER_DOUBLE, 0, 0}));
  EXPECT_EQ(FormatAt(app, 3, 3).borders, (std::array<std::uint8_t, 4>{0, 0, LXW_BORDER_DOTTED, LXW_BORDER_DASHED}));

  struct Case {
    int lineStyle;
    int border;  // -1: refused
  } cases[] = {{1, LXW_BORDER_THIN},           {-4115, LXW_BORDER_DASHED},
               {-4118, LXW_BORDER_DOTTED},     {-4119, LXW_BORDER_DOUBLE},
               {4, LXW_BORDER_DASH_DOT},       {5, LXW_BORDER_DASH_DOT_DOT},
               {13, LXW_BORDER_SLANT_DASH_DOT}, {-4142, LXW_BORDER_NONE},
               {0, -1},                        {2, -1},
               {-4116, -1},                    {3, -1}};
  Variant left = Cell(9, 9).GetProperty("Borders", 7);
  for (const auto& c : cases) {
    Cell(9, 9).GetProperty("Borders", 7).SetProperty("LineStyle", 1);
    AnsiString failure = FailureOf([&] { left.SetProperty("LineStyle", c.lineStyle); });
    if (c.border < 0) {
      EXPECT_EQ(failure, "Unable to set the LineStyle property of the Border class") << c.lineStyle;
      EXPECT_EQ(FormatAt(app, 9, 9).borders[0], LXW_BORDER_THIN) << c.lineStyle;
    } else {
      EXPECT_EQ(failure, "no failure") << c.lineStyle;
      EXPECT_EQ(FormatAt(app, 9, 9).borders[0], c.border) << c.lineStyle;
    }
  }
}

TEST_F(Server, AFormatOverTheWholeSheetCostsByTheRange) {
  sheet.GetProperty("Cells").GetProperty("Font").SetProperty("Bold", true);
  EXPECT_TRUE(SheetOf(app).Cells().empty());
  EXPECT_TRUE(FormatAt(app, kMaxRows, kMaxColumns).bold);
  EXPECT_EQ(FailureOf([&] { sheet.GetProperty("Cells").SetProperty("Value", u"x"); }),
            "Excel cannot complete this task with available resources");
  EXPECT_TRUE(SheetOf(app).Cells().empty());
}

TEST_F(Server, AFormatThatNoSmallFileCouldShowIsRefusedAndChangesNothing) {
  // Font sizes in the upper and the lower half of the sheet that differ in three bands of
  // columns: either half would need millions of cells of its own.
  EXPECT_EQ(SetFontSize(u"A1:XFD524288", 14), "no failure");
  EXPECT_EQ(SetFontSize(u"A524289:XFD1048576", 9), "no failure");
  EXPECT_EQ(SetFontSize(u"A1:AD524288", 9), "no failure");
  EXPECT_EQ(SetFontSize(u"AE1:BH524288", 12), "no failure");
  EXPECT_EQ(SetFontSize(u"A524289:AD1048576", 12), "Excel cannot complete this task with available resources");
  EXPECT_EQ(FormatAt(app, 600000, 1).fontSize, 9) << "the refused call changed nothing";
  EXPECT_EQ(FormatAt(app, 1, 40).fontSize, 12);
  EXPECT_EQ(SetFontSize(u"A524289:AD524290", 12), "no failure") << "a small range is still taken";
  EXPECT_EQ(FormatAt(app, 524290, 1).fontSize, 12);
}

TEST_F(Server, PastTheLargeFormatsWeighedAtTheCallASheetBeyondTheResourcesIsRefusedWhenWritten) {
  WorkbookOutput output;
  for (int i = 0; i < kCheckedLargeRanges; ++i) EXPECT_EQ(SetFontSize(u"A1:XFD524288", 14), "no failure");
  // The sizes of the test above, the last of them taken now.
  EXPECT_EQ(SetFontSize(u"A524289:XFD1048576", 9), "no failure");
  EXPECT_EQ(SetFontSize(u"A1:AD524288", 9), "no failure");
  EXPECT_EQ(SetFontSize(u"AE1:BH524288", 12), "no failure");
  EXPECT_EQ(SetFontSize(u"A524289:AD1048576", 12), "no failure");
  EXPECT_EQ(FormatAt(app, 600000, 1).fontSize, 12);
  const AnsiString failure = FailureOf([&] { app.SetProperty("Visible", true); });
  EXPECT_NE(failure.find("Excel cannot complete this task with available resources"), AnsiString::npos)
      << AnsiToUtf8(failure);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(output.Folder()), std::filesystem::directory_iterator()), 0)
      << "no file is left";
}
