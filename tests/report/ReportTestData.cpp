#include "ReportTestData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "support/RecordingSheet.h"
#include "support/TempProgramDir.h"

Settings TestSettings() {
  Settings settings;
  settings.negatives = {"Negative", Cp("Негатив")};
  settings.positives = {"Positive", Cp("Позитив")};
  settings.aliases = {{"{b}", {"B"}},     {"{strep}", {"STREP"}}, {"{cap}", {"CAP"}},
                      {"{tcs}", {"TCS"}}, {"{lin}", {"LIN", "LINCO"}}, {"{tyl}", {"TYL", "TYL+TIL"}},
                      {"{qns}", {"QNS"}}};
  settings.displayNames = {{"{tcs}", Cp("Тетрациклины")}, {"{b}", Cp("Бета-лактамы")}};
  settings.dictionary = {{"P01", Cp("Ферма «Луговая»")}, {"P02", Cp("Хозяйство")}, {"P03", Cp("Ферма {ttn}«Ключи»")}};
  settings.name = Cp("Лаборатория\n");
  settings.LoadFieldIndexes(kTestFieldMap);
  return settings;
}

ReportData MakeData(const std::vector<std::string>& utf8Lines, const Settings& settings) {
  ReportData data(settings);
  std::vector<AnsiString> lines;
  for (const std::string& line : utf8Lines) lines.push_back(Cp(line.c_str()));
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) data.AddContent(*line);
  EXPECT_TRUE(data.raw.Parse(lines, data.settings));
  return data;
}

std::string SampleTime(int i) {
  char time[32];
  std::snprintf(time, sizeof time, "2026.12.09 %02d:00:00", i);
  return time;
}

AnsiString SampleKey(int i) { return RecordKey(SampleTime(i), std::to_string(100 + i)); }

std::vector<std::string> SampleLines(int n) {
  std::vector<std::string> lines;
  for (int i = 1; i <= n; ++i)
    lines.push_back(std::to_string(100 + i) + ",P01," + SampleTime(i) + ",,20261208-0" + std::to_string(i % 10) +
                    ",TCS,Негатив,0.0" + std::to_string(i % 10));
  return lines;
}

Template MakeTemplate(const std::vector<std::string>& utf8Lines) {
  Template tmpl;
  for (const std::string& line : utf8Lines) tmpl.commands.push_back(MakeCommand(line));
  return tmpl;
}

Command MakeCommand(const std::string& utf8Line) {
  Command command;
  EXPECT_TRUE(command.Parse(Cp(utf8Line.c_str()))) << utf8Line;
  return command;
}

std::vector<std::string> WrittenValues(const std::vector<std::string>& calls) {
  std::vector<std::string> values;
  const std::string prefix = "SetValue(";
  for (const std::string& call : calls)
    if (call.rfind(prefix, 0) == 0) values.push_back(call.substr(prefix.size(), call.size() - prefix.size() - 1));
  return values;
}

const std::vector<std::string> kSamplesWith231Results = {
    "1,P01,t1,,,TCS,Негатив,1", "1,P01,t1,,,B,Негатив,1",   "2,P01,t2,,,TCS,Негатив,1",
    "2,P01,t2,,,B,Негатив,1",   "2,P01,t2,,,CAP,Негатив,1", "3,P01,t3,,,TCS,Негатив,1"};

CommandRun RunCommand(const std::string& utf8Line, const ReportData& data, const std::vector<AnsiString>& ids,
                      int currentRow, bool numbered) {
  CommandRun run;
  RecordingSheet sheet(run.calls);
  RecordingProgress progress(run.calls);
  run.result = MakeCommand(utf8Line).Execute(&sheet, &data, ids, &progress, currentRow, numbered);
  run.steps = progress.steps;
  EXPECT_EQ(sheet.LiveCells(), 0);
  EXPECT_LE(sheet.MaxLiveCells(), 1);
  return run;
}

std::vector<std::string> DataValues(const CommandRun& run, std::size_t columns) {
  std::vector<std::string> values = WrittenValues(run.calls);
  return std::vector<std::string>(values.begin() + static_cast<std::ptrdiff_t>(std::min(columns, values.size())),
                                  values.end());
}
