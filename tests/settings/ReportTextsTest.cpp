#include <gtest/gtest.h>

#include "platform/CodePages.h"
#include "settings/ReportTexts.h"
#include "support/TempProgramDir.h"

TEST(ReportTexts, NineteenTextsInTheAnsiCodePage) {
  EXPECT_EQ(ReportText(txtDate), Cp("Дата: "));
  EXPECT_EQ(AnsiToWide(ReportText(txtReportTitle)).size(), 92u);
  EXPECT_EQ(ReportText(txtLegend), Cp("\"-\" - негатив, \"ПОЗ\" - позитив, \"-----\" - нет данных"));
  EXPECT_EQ(ReportText(txtHeadNumber), Cp("Номер\nп/п"));
  EXPECT_EQ(ReportText(txtHeadTylosin), Cp("Тило-\nзин+\nТил-\nмико-\nзин"));
  EXPECT_EQ(ReportText(txtHeadQuinolones), Cp("Фтор-\nхино-\nлоны"));
  EXPECT_EQ(ReportText(txtUnknown), Cp("неизвестно"));
  EXPECT_EQ(ReportText(txtNegativeMark), "-");
  EXPECT_EQ(ReportText(txtPositiveMark), Cp("ПОЗ"));
  EXPECT_EQ(ReportText(19), ReportText(txtPositiveMark));
  for (int n : {4, 8, 11, 12, 13, 14, 15, 16, 17}) {
    EXPECT_NE(ReportText(n).find('\n'), AnsiString::npos) << n;
    EXPECT_EQ(ReportText(n).find("\\n"), AnsiString::npos) << n;
  }
  EXPECT_THROW(ReportText(0), std::out_of_range);
  EXPECT_THROW(ReportText(20), std::out_of_range);
}
