#include <gtest/gtest.h>

#include "data/ItemData.h"
#include "data/RawItemData.h"
#include "settings/Settings.h"

namespace {

Settings MappedSettings() {
  Settings settings;
  settings.LoadGridColumns("");
  settings.LoadFieldIndexes("{id},0,{provider},1,{time},2,{notes},3,{lot},4,{ename},5,{eresult},6,{evalue},7,{extra},8");
  settings.aliases = {{"{tcs}", {"TCS"}}, {"{b}", {"B"}}};
  return settings;
}

std::vector<AnsiString> Line(const AnsiString& time, const AnsiString& batch, const AnsiString& element = "TCS",
                             const AnsiString& result = "Negative") {
  return {"0012", "P1", time, "note", batch, element, result, "0.1", "x"};
}

}  // namespace

TEST(ItemData, TimeTextAndBatchDate) {
  Settings settings = MappedSettings();
  struct Case {
    std::string time, date, clock;
  } times[] = {
      {"2019.08.30 10:15:00", "2019.08.30", "10:15:00"},
      {"2019.08.30", "2019.08.30", ""},
      {"", "", ""},
      {"2019.08.30  10:15:00", "2019.08.30", ""},
      {" 10:15:00", "", "10:15:00"},
      {"a b c", "a", "b"},
      {"2019.08.30 ", "2019.08.30", ""},
  };
  for (const auto& c : times) {
    ItemData item(Line(c.time, ""), settings);
    RawItemData raw(Line(c.time, ""), settings);
    EXPECT_EQ(item.GetDate(), c.date) << '"' << c.time << '"';
    EXPECT_EQ(item.GetTime(), c.clock) << '"' << c.time << '"';
    EXPECT_EQ(raw.GetDate(), c.date);
    EXPECT_EQ(raw.GetTime(), c.clock);
  }
  struct Batch {
    std::string batch, lotDate;
  } batches[] = {
      {"20190830", "2020.08.30"},
      {"20190830abc", "2020.08.30"},
      {"20261208-07", "2027.12.08"},
      {"2019", "2020.."},
      {"201908", "2020.08."},
      {"2019-08-30", ""},
      {"", ""},
      {"abcdefgh", ""},
      {"$0001234", "1.12.34"},
      {"99991231", "10000.12.31"},
  };
  for (const auto& c : batches) {
    EXPECT_EQ(ItemData(Line("t", c.batch), settings).GetLotDate(), c.lotDate) << c.batch;
    EXPECT_EQ(RawItemData(Line("t", c.batch), settings).GetLotDate(), c.lotDate) << c.batch;
  }
}

TEST(ItemData, FieldsComeFromTheCreatingLineAndResultsAccumulate) {
  Settings settings = MappedSettings();
  ItemData item(Line("t", "b", "TCS", "Negative"), settings);
  item.AddMeds(Line("t", "b", "TCS", "Positive"), settings);
  item.AddMeds(Line("t", "b", "B", ""), settings);
  ASSERT_EQ(item.meds.size(), 3u);
  EXPECT_EQ(item.meds[0].name, "{tcs}");
  EXPECT_EQ(item.GetMedsResult("{tcs}"), "Negative") << "the first entry answers";
  EXPECT_EQ(item.GetMedsValue("{tcs}"), "0.1");
  EXPECT_EQ(item.GetMedsResult("{b}"), "");
  EXPECT_EQ(item.GetMedsResult("{cap}"), "");
  EXPECT_EQ(item.GetMedsResult("TCS"), "") << "keys are compared whole";
  EXPECT_EQ(item.id, "0012");
  EXPECT_EQ(item.notes, "note");
  EXPECT_EQ(item.batch, "b");
  EXPECT_EQ(item.GetField("{extra}"), "x");
  EXPECT_EQ(item.GetField("{ttn}"), "");
  EXPECT_FALSE(item.fields.Find("{ttn}")) << "a look-up adds nothing";
  EXPECT_EQ(item.fields.size(), 9u);

  // Columns the line lacks give empty fields.
  ItemData shortLine({"7", "P2"}, settings);
  EXPECT_EQ(shortLine.time, "");
  EXPECT_EQ(shortLine.meds.size(), 1u);
  EXPECT_EQ(shortLine.meds[0].name, "");
  EXPECT_EQ(IntToText(-42), "-42");
  EXPECT_EQ(IntToText(0), "0");
}
