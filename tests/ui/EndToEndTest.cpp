#include <cstdlib>
#include <filesystem>

#include "ReadBack.h"
#include "UiTest.h"
#include "platform/CodePages.h"
#include "platform/spreadsheet/SpreadsheetServer.h"

namespace fs = std::filesystem;

namespace {

// The shipped program folder: config/ as the build lays it out, and the shipped samples.
class EndToEndTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    const fs::path source = KELVARN_SOURCE_DIR;
    dir.LayOutShippedConfig();
    fs::copy(source / "samples", dir.Path("samples"), fs::copy_options::recursive);
  }

  static std::string Quoted(const AnsiString& text) { return "'" + AnsiToUtf8(text) + "'"; }
};

}  // namespace

TEST_F(EndToEndTest, TheSelectedSamplesOfAShippedFilePrintWithTheSelectionTemplate) {
  StartMainWindow();
  ASSERT_EQ(main->Templates().size(), 3u);
  TfrmDataForm* w = Open(dir.Path("samples/incoming-2026-12-09.csv"));
  ASSERT_NE(w, nullptr);
  TStringGrid* grid = w->ctrGrid;
  ASSERT_EQ(grid->RowCount(), 41);
  EXPECT_EQ(w->ctrPrint->Caption(), Cp("Журнал входного контроля"));
  ASSERT_EQ(w->ctrTemplates->Items->Strings(1), Cp("Протокол испытаний выбранных проб"));

  ClickRow(grid, 3);
  ClickRow(grid, 5, Qt::ShiftModifier);
  const std::vector<AnsiString> ids = Column(grid, 0), times = Column(grid, 9);
  Click(w->ctrDown);
  Choose(w->ctrTemplates, 1);
  EXPECT_TRUE(AnsweredMessageBoxes().empty()) << AnsweredTexts().front();
  EXPECT_FALSE(w->ctrProgress->isVisible());

  const std::string written = LastWrittenWorkbookSystemPath();
  EXPECT_EQ(fs::path(written).parent_path().string() + "/", output.Folder());
  EXPECT_EQ(fs::path(written).extension(), ".xlsx");
  ReadBack book = ReadXlsx(written);
  ASSERT_TRUE(book.ok) << book.output;
  EXPECT_EQ(book.Cell("A1").value, "'Лаборатория входного контроля молока\\n'");
  EXPECT_EQ(book.Cell("B5").value, "'Номер\\nпробы'");
  // Rows 6 to 8: grid rows 3 to 5, in their order, and nothing after them.
  for (int i = 0; i < 3; ++i) {
    const std::string row = std::to_string(6 + i);
    EXPECT_EQ(book.Cell("B" + row).value, Quoted(ids[static_cast<size_t>(2 + i)])) << row;
    EXPECT_EQ(book.Cell("D" + row).value, Quoted(times[static_cast<size_t>(2 + i)])) << row;
  }
  EXPECT_NE(book.Cell("B9").type, "str");
  EXPECT_NE(book.Cell("D9").type, "str");
}

TEST_F(EndToEndTest, AWorkbookThatCannotBeShownReachesTheExceptionBoxAndTheGaugeGoes) {
  StartMainWindow();
  TfrmDataForm* w = Open(dir.Path("samples/incoming-2026-12-09.csv"));
  ASSERT_NE(w, nullptr);
  dir.Write("plain-file", "x");
  struct Case {
    const char* what;
    std::function<void()> arrange;
  };
  const Case cases[] = {
      {"an opener that cannot start", [] { setenv("KELVARN_OPENER", "/nonexistent/opener", 1); }},
      {"a folder that cannot be written", [&] { SetWorkbookFolderForTesting(dir.Path("plain-file/books")); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ClearDialogSeams();
    c.arrange();
    Click(w->ctrPrint);
    setenv("KELVARN_OPENER", "/bin/true", 1);
    SetWorkbookFolderForTesting(output.Folder());
    ASSERT_EQ(AnsweredMessageBoxes().size(), 1u);
    EXPECT_NE(AnsweredTexts()[0].find("Book"), AnsiString::npos) << AnsweredTexts()[0];
    EXPECT_EQ(AnsweredMessageBoxes()[0].type, MB_OK | MB_ICONERROR);
    EXPECT_FALSE(w->ctrProgress->Visible());
    EXPECT_FALSE(w->ctrProgress->isVisible());
  }
  // The program goes on: the next print is written.
  ClearDialogSeams();
  Click(w->ctrPrint);
  EXPECT_TRUE(AnsweredMessageBoxes().empty());
  EXPECT_TRUE(fs::exists(LastWrittenWorkbookSystemPath()));
}
