#include "UiTest.h"
#include "excel/RecordingAutomation.h"
#include "platform/automation/ProgIds.h"
#include "ui/MainForm.h"

namespace {

class HiddenFormTest : public UiTest {
 protected:
  TMainForm* Make() {
    Application->CreateForm(MainForm);
    return MainForm;
  }
};

}  // namespace

TEST_F(HiddenFormTest, ItsConstructorReadsTheNameAndTheDictionary) {
  dir.Write("name.txt", Cp("Лаборатория\nвторая строка\n"));
  dir.Write("dictionary.txt", Cp("P01,Ферма\n"
                                 "P02\n"
                                 "P01,Другая ферма\n"
                                 "P03,,лишнее\n"
                                 "\n"
                                 "P04,Хозяйство,поле,ещё\n"));
  TMainForm* form = Make();
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->GetName(), Cp("Лаборатория\n"));
  const std::map<AnsiString, AnsiString> expected = {{"P01", Cp("Ферма")}, {"P03", ""}, {"P04", Cp("Хозяйство")}};
  EXPECT_EQ(form->GetDictionary(), expected);
  EXPECT_TRUE(form->App().IsEmpty());
  EXPECT_TRUE(form->Sheet().IsEmpty());
  EXPECT_FALSE(form->ctrLoading->Visible());
  EXPECT_FALSE(form->ctrLoadingLbl->Visible());
  EXPECT_EQ(form->ClientWidth(), 486);
  EXPECT_EQ(form->ClientHeight(), 295);
}

TEST_F(HiddenFormTest, WithoutItsFilesItsMembersStayEmpty) {
  TMainForm* form = Make();
  EXPECT_EQ(form->GetName(), "");
  EXPECT_TRUE(form->GetDictionary().empty());
}

TEST_F(HiddenFormTest, ItsButtonReusesARunningSpreadsheetOrStartsOne) {
  RecordingExcel excel;
  TMainForm* form = Make();
  const std::string path = WriteThreeSamples();
  SetNextOpenDialogFileName(path);
  form->ctrOpen->click();
  EXPECT_EQ(excel.Log().created, 1);
  EXPECT_EQ(excel.Take(), (std::vector<std::string>{"get app.WorkBooks", "call app.WorkBooks.add",
                                                    "get app.WorkSheets(1)", "set app.Visible = true"}));
  EXPECT_TRUE(form->App().IsObject());
  EXPECT_TRUE(form->ctrOpen->Visible());
  EXPECT_FALSE(form->ctrLoading->Visible());

  // Its own instance is still alive: the next click adds its workbook there.
  SetNextOpenDialogFileName(path);
  form->ctrOpen->click();
  EXPECT_EQ(excel.Log().created, 1);
  EXPECT_TRUE(AnsweredMessageBoxes().empty());

  SetNextOpenDialogCancel();
  form->ctrOpen->click();
  EXPECT_EQ(excel.Log().created, 1);
}

TEST_F(HiddenFormTest, WithoutASpreadsheetItsButtonSaysSoTwice) {
  RecordingExcel excel;
  RegisterProgId("Excel.Application", {});
  TMainForm* form = Make();
  SetNextOpenDialogFileName(WriteThreeSamples());
  form->ctrOpen->click();
  ASSERT_EQ(AnsweredTexts(), (std::vector<AnsiString>{"Can't setup excel application", "Can't run excel application"}));
  for (const MessageBoxCall& box : AnsweredMessageBoxes()) {
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.type, MB_OK | MB_ICONERROR);
  }
  EXPECT_TRUE(form->App().IsEmpty());
  EXPECT_TRUE(form->ctrOpen->Visible());
  EXPECT_FALSE(form->ctrLoading->Visible());
  EXPECT_FALSE(form->ctrLoadingLbl->Visible());
}
