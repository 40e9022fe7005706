#include <gtest/gtest.h>

#include <sys/stat.h>

#include "data/ReportData.h"
#include "support/ProgramFixture.h"

using namespace std::string_literals;

namespace {

const char* const kSettings =
    "cp=65001\n"
    "Positive,Позитив\n"
    "Negative,Негатив\n"
    "{num},N,60\n"
    "{id},0,{provider},1,{time},2,{notes},3,{lot},4,{ename},5,{eresult},6,{evalue},7\n";

const char* const kHeader = "id,provider,time,notes,lot,element,result,value\n";

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

}  // namespace

class ReportDataTest : public ProgramFixture {
 protected:
  ReportDataTest() { UseSettings(kSettings); }

  void UseSettings(const std::string& text, const std::vector<std::string>& arguments = {}) {
    dir.Write("settings.txt", text);
    SetArguments(arguments);
    settings = Settings();
    settings.Load();
  }

  // Loads a results file of these bytes, named name in the program folder.
  ReportData LoadBytes(const std::string& bytes, const std::string& name = "results.csv") {
    dir.Write(name, bytes);
    ReportData data(settings);
    loaded = data.Load(dir.Path(name));
    return data;
  }

  Settings settings;
  bool loaded = false;
};

TEST_F(ReportDataTest, LinesGroupIntoSamplesByTheirTimeAndId) {
  ReportData data = LoadBytes(std::string(kHeader) +
                              "0012,P1,2026.12.09 10:15:00,first,20261208,TCS,Negative,0.1\n"
                              "0013,P2,2026.12.09 9:05:00,,20261208,TCS,Positive,0.9\n"
                              "0012,P9,2026.12.09 10:15:00,second,20261209,B,Negative,0.2\n"
                              "0012,P1,2026.12.09 10:15:00,third,20261208,TCS,Positive,0.3\n");
  ASSERT_TRUE(loaded);
  ASSERT_EQ(data.records.size(), 2u);
  // Byte order: "1" sorts before "9", so 10:15 comes before 9:05.
  EXPECT_EQ(data.records.begin()->first, RecordKey("2026.12.09 10:15:00", "0012"));
  const ItemData& sample = data.records.at(RecordKey("2026.12.09 10:15:00", "0012"));
  EXPECT_EQ(sample.notes, "third") << "the sample's fields come from its last line in the file";
  EXPECT_EQ(sample.provider, "P1");
  ASSERT_EQ(sample.meds.size(), 3u);
  EXPECT_EQ(sample.meds[0].result, "Positive") << "results stand in reverse file order";
  EXPECT_EQ(sample.meds[1].name, "{b}");
  EXPECT_EQ(sample.meds[2].result, "Negative");
  EXPECT_EQ(sample.GetMedsResult("{tcs}"), "Positive") << "the later line answers";

  ASSERT_EQ(data.raw.rows.size(), 4u);
  EXPECT_EQ(data.raw.rows[0].notes, "third");
  EXPECT_EQ(data.raw.rows[3].notes, "first");
  EXPECT_EQ(data.id, "results");
  EXPECT_EQ(data.path, dir.Path("results.csv"));
  EXPECT_EQ(data.GetCaption(), data.path);
  EXPECT_EQ(LogText(), "[TRACE] readed: 4 records...\n");
}

TEST_F(ReportDataTest, TwoSamplesTestedInTheSameSecondStayTwoSamples) {
  ReportData data = LoadBytes(std::string(kHeader) +
                              "0012,P1,2026.12.09 10:15:00,,b,TCS,Positive,0.9\n"
                              "0013,P2,2026.12.09 10:15:00,,b,TCS,Negative,0.1\n"
                              "0011,P3,2026.12.09 10:15:00,,b,TCS,Negative,0.2\n"
                              "0010,P4,2026.12.09 10:14:59,,b,TCS,Negative,0.3\n");
  std::vector<std::pair<AnsiString, AnsiString>> samples;
  for (const auto& [key, sample] : data.records) samples.emplace_back(sample.id, sample.GetMedsResult("{tcs}"));
  // By time, then by id.
  EXPECT_EQ(samples, (std::vector<std::pair<AnsiString, AnsiString>>{
                         {"0010", "Negative"}, {"0011", "Negative"}, {"0012", "Positive"}, {"0013", "Negative"}}));
  EXPECT_LT(RecordKey("2026.12.09 10:15:00", "9"), RecordKey("2026.12.09 10:15:001", ""))
      << "a time that is the start of another sorts first, whatever the ids";
}

TEST_F(ReportDataTest, WhatEachKindOfLineGives) {
  ReportData data = LoadBytes(std::string(kHeader) +
                              "1,P1,t1,,b,SULF,Negative,0.1\n"           // no group key: raw row only
                              "\n"                                       // blank: counted, raw row, warning
                              "2,P1,t2,,b,TCS,Negative\n"                // a field fewer
                              "3,P1,t3,,b,CAP,Negative,0.2,extra,more\n"  // fields more
                              "\0hidden\n"s +                            // starts with NUL: nothing
                              "lonely\n"                                 // no ",": raw row and warning
                              "\t 4,P1,t4,,b,B,Negative,0.4 \r\n");      // trimmed before decoding
  ASSERT_TRUE(loaded);
  std::vector<AnsiString> keys;
  for (const auto& [key, sample] : data.records) keys.push_back(key);
  EXPECT_EQ(keys, (std::vector<AnsiString>{RecordKey("t2", "2"), RecordKey("t3", "3"), RecordKey("t4", "4")}));
  EXPECT_EQ(data.records.at(RecordKey("t2", "2")).GetMedsValue("{tcs}"), "");
  EXPECT_EQ(data.records.at(RecordKey("t4", "4")).id, "4");
  EXPECT_EQ(data.records.at(RecordKey("t4", "4")).GetMedsValue("{b}"), "0.4");
  ASSERT_EQ(data.raw.rows.size(), 6u);
  EXPECT_EQ(data.raw.rows[5].ename, "SULF");
  EXPECT_EQ(data.raw.rows[4].id, "\n") << "the blank line keeps its line feed";
  EXPECT_EQ(LogText(),
            "[WARNING] wrong split: 'lonely' to 'lonely'...\n"
            "[WARNING] wrong split: '' to ''...\n"
            "[WARNING] wrong split: '\n' to '\n'...\n"
            "[TRACE] readed: 6 records...\n");
}

TEST_F(ReportDataTest, EmptyAndHeaderOnlyFiles) {
  for (std::string bytes : {""s, std::string(kHeader), "header without line feed"s, "\x1A"s}) {
    Logger::ResetForTesting();
    ReportData data = LoadBytes(bytes);
    EXPECT_TRUE(loaded);
    EXPECT_TRUE(data.records.empty());
    EXPECT_TRUE(data.raw.rows.empty());
    EXPECT_EQ(LogText(), "[TRACE] readed: 0 records...\n");
  }
}

TEST_F(ReportDataTest, CtrlZEndsTheFile) {
  ReportData data = LoadBytes(std::string(kHeader) + "1,P1,t1,,b,TCS,Negative,0.1\n\x1A" + "2,P1,t2,,b,TCS,Negative\n");
  EXPECT_EQ(data.records.size(), 1u);
  EXPECT_EQ(data.raw.rows.size(), 1u);
}

TEST_F(ReportDataTest, OverLongLinesArriveInPieces) {
  std::string longHeader(3000, 'h');
  std::string longNotes(2100, 'n');
  ReportData data = LoadBytes(longHeader + "\n" + "1,P1,t1," + longNotes + ",b,TCS,Negative,0.1\n");
  ASSERT_TRUE(loaded);
  // The rest of the header is a data line; the data line is two pieces of its own.
  ASSERT_EQ(data.raw.rows.size(), 3u);
  EXPECT_EQ(data.raw.rows[2].id, std::string(3000 - 2047, 'h'));
  EXPECT_EQ(data.raw.rows[1].notes, std::string(2047 - 8, 'n'));
  EXPECT_EQ(data.raw.rows[0].id, std::string(2100 - (2047 - 8), 'n'));
  EXPECT_EQ(data.raw.rows[0].provider, "b");
  EXPECT_TRUE(data.records.empty()) << "no piece has an element name in its column";
  EXPECT_NE(LogText().find("readed: 3 records..."), std::string::npos);
}

TEST_F(ReportDataTest, TheDataSetIdIsTheFileNameBetweenTheLastSlashAndTheLastPoint) {
  struct Case {
    std::string name, id;
  } cases[] = {
      {"results.csv", "results"},   {"a.b.csv", "a.b"},         {"noext", ""},
      {"dir.x/noext", ""},          {"dir.x/r.csv", "r"},       {"back\\slash.csv", "back\\slash"},
      {".csv", ""},                 {"trailing.", "trailing"},
  };
  for (const auto& c : cases) {
    ReportData data = LoadBytes(kHeader, c.name);
    ASSERT_TRUE(loaded) << c.name;
    EXPECT_EQ(data.id, c.id) << c.name;
  }
}

TEST_F(ReportDataTest, FieldMapsThatLackFieldsOrReachBeyondTheLine) {
  const std::string lines = std::string(kHeader) + "1,P1,t1,,b,TCS,Negative,0.1\n2,P2,t2,,b,B,Negative,0.1\n";
  UseSettings("cp=65001\nP,Q\nN,M\n{num},N\n{id},0,{ename},5\n");
  ReportData noTime = LoadBytes(lines + "1,P1,t9,,b,B,Negative,0.1\n");
  ASSERT_EQ(noTime.records.size(), 2u) << "without a time the lines group by their id alone";
  EXPECT_EQ(noTime.records.begin()->first, RecordKey("", "1"));
  EXPECT_EQ(noTime.records.begin()->second.meds.size(), 2u);

  UseSettings("cp=65001\nP,Q\nN,M\n{num},N\n{id},0,{time},2\n");
  EXPECT_TRUE(LoadBytes(lines).records.empty()) << "without {ename} no line is a sample";

  UseSettings("cp=65001\nP,Q\nN,M\n{num},N\n{id},0,{time},2,{ename},5,{evalue},40\n");
  ReportData beyond = LoadBytes(lines);
  EXPECT_EQ(beyond.records.size(), 2u);
  EXPECT_EQ(beyond.records.at(RecordKey("t1", "1")).GetMedsValue("{tcs}"), "");
  EXPECT_EQ(beyond.raw.rows[0].GetField("{evalue}"), "");
}

TEST_F(ReportDataTest, ALineNoCodePageDecodesIsKeptAsRead) {
  UseSettings("cp=4242\nP,Q\nN,M\n{num},N\n{id},0,{time},2,{ename},5,{evalue},7\n");
  ReportData data = LoadBytes(std::string(kHeader) + "1,P1,t1,,b,TCS,Negative,\xCC\xEE\n");
  ASSERT_EQ(data.records.size(), 1u);
  EXPECT_EQ(data.records.at(RecordKey("t1", "1")).GetMedsValue("{tcs}"), "\xCC\xEE") << "the bytes as read, line end cut by the split";
  EXPECT_EQ(data.raw.rows[0].evalue, "\xCC\xEE");
  EXPECT_EQ(LogText(),
            "[WARNING] MultiByteToWideChar error: ERROR_INVALID_PARAMETER with cp: 4242 for "
            "'1,P1,t1,,b,TCS,Negative,\xCC\xEE'...\n"
            "[TRACE] readed: 1 records...\n");
}

TEST_F(ReportDataTest, TheCommandLineCodePageDecodesTheInput) {
  UseSettings(kSettings, {"1251"});
  ReportData data = LoadBytes(std::string(kHeader) + "1,P1,t1,,b,TCS,\xCD\xE5\xE3\xE0\xF2\xE8\xE2,0.1\n");
  ASSERT_EQ(data.records.size(), 1u);
  EXPECT_EQ(data.records.at(RecordKey("t1", "1")).GetMedsResult("{tcs}"), Cp("Негатив"));
  EXPECT_EQ(data.settings.GetResultMark(data.records.at(RecordKey("t1", "1")).GetMedsResult("{tcs}")), "-");
  EXPECT_EQ(LogText(), "[TRACE] readed: 1 records...\n") << "1251 was announced as the code page already";
}

TEST_F(ReportDataTest, A1251FileReadsWholeUnderTheUtf8And1251List) {
  UseSettings(std::string("cp=65001,1251\n") + (kSettings + std::string(kSettings).find('\n') + 1));
  // "Негатив", "Позитив" and the notes "повтор" in 1251; the second line is ASCII.
  ReportData data = LoadBytes(std::string(kHeader) +
                              "1,P1,t1,\xEF\xEE\xE2\xF2\xEE\xF0,b,TCS,\xCD\xE5\xE3\xE0\xF2\xE8\xE2,0.1\n"
                              "2,P1,t2,,b,TCS,Negative,0.2\n"
                              "3,P1,t3,,b,TCS,\xCF\xEE\xE7\xE8\xF2\xE8\xE2,0.9\n");
  ASSERT_EQ(data.records.size(), 3u);
  const ItemData& first = data.records.begin()->second;
  EXPECT_EQ(first.notes, Cp("повтор"));
  EXPECT_EQ(data.settings.GetResultMark(first.GetMedsResult("{tcs}")), "-");
  EXPECT_EQ(data.settings.GetResultMark(data.records.rbegin()->second.GetMedsResult("{tcs}")), Cp("ПОЗ"));
  EXPECT_EQ(LogText(), "[WARNING] cp is: 1251...\n[TRACE] readed: 3 records...\n")
      << "no warning per line, and the ASCII line does not flip the announcement";
}

TEST_F(ReportDataTest, ReplacedBytesAreLoggedOncePerFileWithTheirLine) {
  // A 1251 file under UTF-8 alone: its words cannot be read, and the log says so once.
  // Its lines end in CR LF; the quoted line holds neither.
  ReportData data = LoadBytes(std::string(kHeader) + "1,P1,t1,,b,TCS,Negative,0.1\r\n" +
                              "2,P1,t2,,b,TCS,\xCD\xE5\xE3\xE0\xF2\xE8\xE2,0.1\r\n" +
                              "3,P1,t3,,b,TCS,\xCF\xEE\xE7\xE8\xF2\xE8\xE2,0.9\r\n");
  ASSERT_EQ(data.records.size(), 3u);
  EXPECT_EQ(data.records.rbegin()->second.GetMedsResult("{tcs}"), "???????");
  EXPECT_EQ(LogText(),
            "[WARNING] invalid bytes replaced in line 3 with cp: 65001 for "
            "'2,P1,t2,,b,TCS,\xCD\xE5\xE3\xE0\xF2\xE8\xE2,0.1'...\n"
            "[TRACE] readed: 3 records...\n");
}

TEST_F(ReportDataTest, TheProbeLogsEveryDifferingCodePageForTheFirstDataLineOnly) {
  UseSettings("cp=4242,65001\nP,Q\nN,M\n{num},N\n{id},0,{time},2,{ename},5\n", {"cp_detect"});
  ASSERT_TRUE(settings.detectCodePages);
  ReportData data(settings);
  EXPECT_TRUE(data.probeCodePages);
  dir.Write("r.csv", std::string(kHeader) + "0012,\xD0\x9C\xD0\xBE\xD0\xBB\n" + "0013,\xD0\x9C\xD0\xBE\xD0\xBB\n");
  ASSERT_TRUE(data.Load(dir.Path("r.csv")));
  EXPECT_FALSE(data.probeCodePages);
  std::string log = LogText();
  // Decoding comes first, then the probe of the untrimmed line, whose messages span two lines.
  std::size_t error = log.find("MultiByteToWideChar error: ERROR_INVALID_PARAMETER with cp: 4242 for '0012,");
  std::size_t cpIs = log.find("[WARNING] cp is: 65001...\n");
  std::size_t probe = log.find("[WARNING] cp founded[");
  ASSERT_NE(probe, std::string::npos);
  EXPECT_LT(error, cpIs);
  EXPECT_LT(cpIs, probe);
  EXPECT_NE(log.find("[WARNING] cp founded[65001]: '0012," + Cp("Мол") + "\n'...\n"), std::string::npos);
  EXPECT_NE(log.find("[WARNING] cp founded[866]: '0012,"), std::string::npos);
  EXPECT_EQ(log.find("cp founded[1251]"), std::string::npos) << "the same text gives no message";
  EXPECT_EQ(Count(log, "for '0013,"), 1u);
  EXPECT_LT(log.rfind("cp founded["), log.find("for '0013,")) << "the second line is not probed";
}

TEST_F(ReportDataTest, AFirstDataPieceStartingWithANulUsesUpTheProbe) {
  UseSettings(kSettings, {"cp_detect"});
  ReportData data(settings);
  dir.Write("r.csv", std::string(kHeader) + "\0x\n"s + "0012,\xD0\x9C\n");
  ASSERT_TRUE(data.Load(dir.Path("r.csv")));
  EXPECT_FALSE(data.probeCodePages);
  EXPECT_EQ(LogText().find("cp founded["), std::string::npos);
}

TEST_F(ReportDataTest, WhatCannotBeOpenedFailsWithoutALogLine) {
  ReportData data(settings);
  EXPECT_FALSE(data.Load(dir.Path("missing.csv")));
  dir.MakeDir("folder.csv");
  EXPECT_FALSE(data.Load(dir.Path("folder.csv")));
  ASSERT_EQ(mkfifo(dir.Path("pipe.csv").c_str(), 0600), 0);
  EXPECT_FALSE(data.Load(dir.Path("pipe.csv")));
  EXPECT_TRUE(data.id.empty());
  EXPECT_TRUE(data.path.empty());
  EXPECT_EQ(LogText(), "");
}

TEST_F(ReportDataTest, EachDataSetCarriesItsOwnSettings) {
  settings.dictionary["P1"] = "Farm";
  ReportData data(settings);
  settings.dictionary["P1"] = "Changed";
  EXPECT_EQ(data.GetProviderName("P1"), "Farm");
  EXPECT_EQ(data.GetProviderName("P2"), "P2");
  ReportData copy = data;
  copy.settings.dictionary.clear();
  EXPECT_EQ(data.GetProviderName("P1"), "Farm");
}
