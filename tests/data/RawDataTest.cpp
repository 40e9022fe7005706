#include <gtest/gtest.h>

#include "data/RawData.h"
#include "settings/Settings.h"
#include "support/ProgramFixture.h"

class RawDataTest : public ProgramFixture {};

TEST_F(RawDataTest, RowsInReverseOrderWithTheirElementNamesAsRead) {
  Settings settings;
  settings.LoadFieldIndexes("{id},0,{ename},1,{eresult},2,{evalue},3,{more},5");
  RawData raw;
  ASSERT_TRUE(raw.Parse({"1,TCS,Negative,0.1", "2,SULF,Positive", "3,B,Negative,0.2,x,y,z", "lonely"}, settings));
  ASSERT_EQ(raw.rows.size(), 4u);
  EXPECT_EQ(raw.rows[0].id, "lonely");
  EXPECT_EQ(raw.rows[0].ename, "") << "a line without ',' still gives a row";
  EXPECT_EQ(raw.rows[1].id, "3");
  EXPECT_EQ(raw.rows[1].GetField("{more}"), "y");
  EXPECT_EQ(raw.rows[2].ename, "SULF") << "no group key needed";
  EXPECT_EQ(raw.rows[2].evalue, "");
  EXPECT_EQ(raw.rows[3].eresult, "Negative");
  EXPECT_EQ(LogText(), "[WARNING] wrong split: 'lonely' to 'lonely'...\n");
}

TEST_F(RawDataTest, AnEmptyLineIsLoggedAndGivesNoRow) {
  Settings settings;
  RawData raw;
  ASSERT_TRUE(raw.Parse({""}, settings));
  EXPECT_TRUE(raw.rows.empty());
  EXPECT_EQ(LogText(), "[WARNING] wrong split: '' to ''...\n");
}

TEST_F(RawDataTest, ACopyThatAddsLinesKeepsEveryEarlierRowAndLeavesTheOriginal) {
  Settings settings;
  settings.LoadFieldIndexes("{id},0,{ename},1");
  auto ids = [](const RawData& raw) {
    std::vector<AnsiString> seen;
    for (const RawItemData& row : raw.rows) seen.push_back(row.id);
    return seen;
  };
  RawData original;
  ASSERT_TRUE(original.Parse({"2,TCS", "1,CAP"}, settings));

  RawData copy = original;
  copy.AddLine("3,B", settings);
  RawData copyOfCopy = copy;
  copyOfCopy.AddLine("4,QNS", settings);
  copyOfCopy.AddLine("5,TYL", settings);
  copy.AddLine("6,LIN", settings);

  EXPECT_EQ(ids(original), (std::vector<AnsiString>{"1", "2"}));
  EXPECT_EQ(ids(copy), (std::vector<AnsiString>{"1", "2", "3", "6"}));
  EXPECT_EQ(ids(copyOfCopy), (std::vector<AnsiString>{"1", "2", "3", "4", "5"}));
  EXPECT_EQ(copyOfCopy.rows[4].ename, "TYL");
  EXPECT_EQ(copy.rows[1].ename, "TCS");
}
