#include "ReportTestData.h"

#include <gtest/gtest.h>

#include <cstdio>

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

std::string SampleKey(int i) {
  char key[32];
  std::snprintf(key, sizeof key, "2026.12.09 %02d:00:00", i);
  return key;
}

std::vector<std::string> SampleLines(int n) {
  std::vector<std::string> lines;
  for (int i = 1; i <= n; ++i)
    lines.push_back(std::to_string(100 + i) + ",P01," + SampleKey(i) + ",,20261208-0" + std::to_string(i % 10) +
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
