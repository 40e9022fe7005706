#include <gtest/gtest.h>

#include "data/ReportData.h"
#include "support/ProgramFixture.h"

namespace {

std::string Source(const std::string& name) { return std::string(KELVARN_SOURCE_DIR) + "/" + name; }

}  // namespace

class ShippedSamplesTest : public ProgramFixture {
 protected:
  // The shipped configuration beside the program, started with these arguments.
  Settings ShippedSettings(const std::vector<std::string>& arguments = {}) {
    dir.LayOutShippedConfig();
    SetArguments(arguments);
    Settings settings;
    settings.Load();
    return settings;
  }

  ReportData Load(const Settings& settings, const std::string& sample) {
    ReportData data(settings);
    EXPECT_TRUE(data.Load(Source("samples/" + sample)));
    return data;
  }
};

TEST_F(ShippedSamplesTest, TheUtf8SampleLoadsWithTheShippedSettings) {
  ReportData data = Load(ShippedSettings(), "incoming-2026-12-09.csv");
  EXPECT_EQ(data.id, "incoming-2026-12-09");
  ASSERT_EQ(data.records.size(), 40u);
  EXPECT_EQ(data.raw.rows.size(), 283u);

  const ItemData& first = data.records.begin()->second;
  EXPECT_EQ(data.records.begin()->first, RecordKey("2026.12.09 06:30:05", "0012"));
  EXPECT_EQ(first.id, "0012");
  EXPECT_EQ(data.GetProviderName(first.provider), Cp("Ферма «Луговая»"));
  EXPECT_EQ(first.GetLotDate(), "2027.12.08");
  ASSERT_EQ(first.meds.size(), 7u);
  EXPECT_EQ(first.meds[0].name, "{qns}") << "the last line of the sample comes first";
  for (const char* key : {"{tcs}", "{cap}", "{strep}", "{b}", "{lin}", "{tyl}", "{qns}"})
    EXPECT_EQ(data.settings.GetResultMark(first.GetMedsResult(key)), "-") << key;

  int positives = 0;
  int untranslated = 0;
  for (const auto& [key, sample] : data.records) {
    for (const auto& result : sample.meds)
      if (data.settings.GetResultMark(result.result) == Cp("ПОЗ")) ++positives;
    if (data.GetProviderName(sample.provider) == sample.provider) ++untranslated;
    EXPECT_EQ(sample.meds.size(), 7u) << "SULF lines join no sample";
  }
  EXPECT_EQ(positives, 5);
  EXPECT_GT(untranslated, 0);
  int sulf = 0;
  for (const auto& row : data.raw.rows) sulf += row.ename == "SULF";
  EXPECT_EQ(sulf, 3);
  EXPECT_NE(LogText().find("[TRACE] readed: 283 records..."), std::string::npos);
}

TEST_F(ShippedSamplesTest, BothSamplesReadTheSameWithoutAnArgument) {
  ReportData utf8 = Load(ShippedSettings(), "incoming-2026-12-09.csv");
  for (const auto& arguments : {std::vector<std::string>{}, std::vector<std::string>{"1251"}}) {
    ReportData ansi = Load(ShippedSettings(arguments), "incoming-2026-12-09-cp1251.csv");
    ASSERT_EQ(ansi.records.size(), utf8.records.size());
    for (auto a = ansi.records.begin(), u = utf8.records.begin(); a != ansi.records.end(); ++a, ++u) {
      EXPECT_EQ(a->first, u->first);
      EXPECT_EQ(a->second.id, u->second.id);
      EXPECT_EQ(a->second.notes, u->second.notes);
      ASSERT_EQ(a->second.meds.size(), u->second.meds.size());
      for (std::size_t i = 0; i < a->second.meds.size(); ++i) {
        EXPECT_EQ(a->second.meds[i].name, u->second.meds[i].name);
        EXPECT_EQ(a->second.meds[i].result, u->second.meds[i].result);
      }
    }
    EXPECT_EQ(ansi.raw.rows.size(), utf8.raw.rows.size());
  }
  EXPECT_EQ(LogText().find("invalid bytes replaced"), std::string::npos);
}
