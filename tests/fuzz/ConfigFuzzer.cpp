// The configuration: settings.txt, dictionary.txt, localization.txt, name.txt and the command
// line, loaded as at start-up, its lookups, and a small fixed results file printed with a
// shipped template under it.
//
// Input: one byte of options, then six sections separated by the byte 0x1E: settings.txt,
// dictionary.txt, localization.txt, name.txt, the first and the second argument (UTF-8, cut
// at a NUL as a real argument is). A missing section is empty.
//   bits 0-3: settings.txt, dictionary.txt, localization.txt and name.txt exist
//   bits 4-5: the number of arguments after the program (3 counts as 2)
//   bits 6-7: the fixed results file printed with the journal, the element table or the
//     selection on the spreadsheet server, or with the journal down to the written workbook

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "Reference.h"
#include "data/ReportData.h"
#include "excel/ExcelHelper.h"
#include "platform/CodePages.h"
#include "platform/System.h"
#include "report/Template.h"
#include "report/TemplateReport.h"
#include "settings/Settings.h"

namespace {

const char* const kFiles[] = {"settings.txt", "dictionary.txt", "localization.txt", "name.txt"};

// Six data lines: two samples of two results, a line whose element has no group, a blank
// line and a value that holds placeholders.
const char kResults[] =
    "Номер пробы,Поставщик,Дата и время анализа,Примечание,Партия,Элемент,Результат,Значение\n"
    "0012,P01,2026.12.09 06:30:05,,20261208-01,TCS,Негатив,0.07\n"
    "0012,P01,2026.12.09 06:30:05,,20261208-01,CAP,Позитив,0.02\n"
    "0013,P02,2026.12.09 07:00:00,{name}{eof}{tcs},20261208-02,B,Negative,0.22\n"
    "0013,P02,2026.12.09 07:00:00,,20261208-02,XYZ,Negative,0.1\n"
    "\n"
    "0014,P03,2026.12.09 08:15:00,note,20261208-03,TYL+TIL,Positive,1.5\n";

const char* const kBuiltinAliases[] = {"B", "STREP", "CAP", "TCS", "LIN", "LINCO", "TYL", "TYL+TIL", "QNS"};
const char* const kBuiltinColumns[] = {"{num}", "{provider}", "{ttn}",  "{tcs}", "{cap}",     "{strep}",
                                       "{b}",   "{lin}",      "{tyl}",  "{qns}", "{datetime}"};
const char* const kLocalizedKeys[] = {
    "popup.main.caption", "menu.file",         "menu.help",         "menu.file.open",     "menu.file.print",
    "menu.file.exit",     "menu.help.about",   "popup.data.filter", "popup.data.reset",   "popup.data.n",
    "popup.data.print",   "popup.about.caption", "popup.about.text", "popup.about.close"};

std::vector<std::string> Sections(std::string_view bytes) {
  std::vector<std::string> sections(6);
  std::size_t i = 0;
  for (char c : bytes) {
    if (c == '\x1E') {
      if (++i == sections.size()) break;
    } else {
      sections[i] += c;
    }
  }
  return sections;
}

void CheckSmallFiles(const Settings& settings, const std::vector<std::string>& sections, unsigned exists) {
  std::map<std::string, std::string> dictionary;
  if (exists & 2)
    for (const auto& line : reference::ReadPieces(sections[1], 2048)) {
      std::vector<std::string> pieces = reference::Split(line, ',');
      if (pieces.size() >= 2) dictionary.emplace(pieces[0], pieces[1]);
    }
  FUZZ_CHECK(settings.dictionary == dictionary);
  for (const auto& [word, replacement] : dictionary) FUZZ_CHECK_EQ(settings.Translate(word), replacement);

  std::map<std::string, std::string> localization;
  if (exists & 4)
    for (const auto& line : reference::ReadPieces(sections[2], 2048)) {
      std::size_t equals = line.find('=');
      if (equals != std::string::npos && equals > 0) localization[line.substr(0, equals)] = line.substr(equals + 1);
    }
  FUZZ_CHECK(settings.localization == localization);
  for (const char* key : kLocalizedKeys) {
    auto found = localization.find(key);
    FUZZ_CHECK_EQ(settings.GetLocalizedText(key, "default"), found != localization.end() ? found->second : "default");
  }

  std::string name;
  if (exists & 8) {
    std::vector<std::string> lines = reference::ReadPieces(sections[3], 2048);
    if (!lines.empty()) name = lines.front();
  }
  FUZZ_CHECK_EQ(settings.GetName(), name);
}

void CheckCommandLine(const Settings& settings, const std::vector<std::string>& arguments, bool settingsFile) {
  const bool detect = !arguments.empty() && arguments[0] == "cp_detect";
  FUZZ_CHECK_EQ(settings.detectCodePages, detect);
  const std::int32_t codePage = arguments.empty() || detect ? 65001 : reference::Strtol32(arguments[0]);
  FUZZ_CHECK_EQ(settings.commandLineCodePage, codePage);
  FUZZ_CHECK_EQ(settings.fieldIndexSpec, arguments.size() >= 2 ? Utf8ToAnsi(arguments[1]) : AnsiString());
  // A code page named on the command line is the one the input is decoded with.
  if (codePage != 65001) {
    FUZZ_CHECK_EQ(settings.codePages, std::vector<std::uint32_t>{static_cast<std::uint32_t>(codePage)});
    FUZZ_CHECK_EQ(settings.codePage, codePage);
    FUZZ_CHECK_EQ(settings.lastCodePage, codePage);
  } else if (!settingsFile) {
    FUZZ_CHECK(settings.codePages.empty());
    FUZZ_CHECK_EQ(settings.codePage, 65001);
  }
}

void CheckSettingsFile(const Settings& settings, const std::string& file, bool exists) {
  const std::vector<std::string> lines = exists ? reference::ReadPieces(file, 2048) : std::vector<std::string>{};
  if (!exists) {
    FUZZ_CHECK_EQ(settings.negatives, (std::vector<AnsiString>{"Negative", Utf8ToAnsi("Негатив")}));
    FUZZ_CHECK_EQ(settings.positives, (std::vector<AnsiString>{"Positive", Utf8ToAnsi("Позитив")}));
    FUZZ_CHECK(settings.fieldIndexes.empty());
  }
  // The built-in columns when there is no line 4, or one without any text.
  if (lines.size() < 4 || lines[3].empty()) {
    std::vector<AnsiString> keys;
    for (const auto& column : settings.gridColumns) keys.push_back(column.key);
    FUZZ_CHECK_EQ(keys, std::vector<AnsiString>(std::begin(kBuiltinColumns), std::end(kBuiltinColumns)));
  } else {
    std::vector<std::string> specs = reference::Split(lines[3], ';');
    FUZZ_CHECK_EQ(settings.gridColumns.size(),
                  static_cast<std::size_t>(std::count_if(specs.begin(), specs.end(), [](const auto& s) { return !s.empty(); })));
  }
  if (lines.size() < 5) FUZZ_CHECK(settings.fieldIndexes.empty());
}

void CheckLookups(const Settings& settings) {
  FUZZ_CHECK_EQ(settings.GetResultMark(""), "---");
  for (const auto& word : settings.negatives)
    if (!word.empty()) FUZZ_CHECK_EQ(settings.GetResultMark(word), "-");
  for (const auto& word : settings.positives)
    if (!word.empty() && std::find(settings.negatives.begin(), settings.negatives.end(), word) == settings.negatives.end())
      FUZZ_CHECK_EQ(settings.GetResultMark(word), Utf8ToAnsi("ПОЗ"));
  // Every element name finds a key whose list holds it; the built-in ones always do.
  for (const auto& [key, names] : settings.aliases)
    for (const auto& name : names) {
      AnsiString found = settings.FindKeyByAlias(name);
      FUZZ_CHECK(found <= key);
      const auto& list = settings.aliases.at(found);
      FUZZ_CHECK(std::find(list.begin(), list.end(), name) != list.end());
      FUZZ_CHECK_EQ(settings.GetDisplayNameByAlias(name), settings.GetDisplayName(found));
    }
  for (const char* alias : kBuiltinAliases) FUZZ_CHECK(!settings.FindKeyByAlias(alias).empty());
  const std::vector<AnsiString> pieces = {"first", "second"};
  for (const auto& [field, index] : settings.fieldIndexes)
    FUZZ_CHECK_EQ(settings.GetValueByField(field, pieces), index >= 0 && index < 2 ? pieces[index] : AnsiString());
}

void PrintFixedResults(const Settings& settings, unsigned how) {
  fuzz::ProgramFolder& folder = fuzz::ProgramFolder::Get();
  ReportData data(settings);
  FUZZ_CHECK(data.Load(folder.Path("fixed.csv")));
  fuzz::CheckNothingLost(data, kResults);

  static const char* const kTemplates[] = {"1-journal.txt", "3-elements.txt", "2-selected.txt", "1-journal.txt"};
  const Template& tmpl = fuzz::ShippedTemplate(kTemplates[how]);
  std::vector<AnsiString> ids;
  for (const auto& row : data.raw.rows) ids.push_back(row.time);
  ExcelHelper excel;
  fuzz::OpenExcel(excel);
  fuzz::CountingProgress progress;
  TemplateReport(&tmpl, &data, ids, how == 3).Build(&excel, &progress);
  fuzz::CheckTemplateProgress(tmpl, data, ids, progress);
  if (how == 3) fuzz::ShowAndRemoveWorkbook(excel);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::ProgramFolder::Get().Write("fixed.csv", kResults);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
  if (size == 0) return 0;
  const auto [options, bytes] = fuzz::StartInput(input, size);
  const std::vector<std::string> sections = Sections(bytes);
  fuzz::ProgramFolder& folder = fuzz::ProgramFolder::Get();
  for (unsigned i = 0; i < 4; ++i) {
    if (options & (1u << i))
      folder.Write(kFiles[i], sections[i]);
    else
      folder.Remove(kFiles[i]);
  }
  const std::size_t count = std::min((options >> 4) & 3u, 2u);
  std::vector<std::string> arguments;
  for (std::size_t i = 0; i < count; ++i) arguments.push_back(sections[4 + i].substr(0, sections[4 + i].find('\0')));
  std::vector<std::string> commandLine = {folder.Path("kelvarn")};
  commandLine.insert(commandLine.end(), arguments.begin(), arguments.end());
  SetCommandLineForTesting(commandLine);

  Settings settings;
  settings.Load();
  CheckSmallFiles(settings, sections, options);
  CheckCommandLine(settings, arguments, options & 1);
  CheckSettingsFile(settings, sections[0], options & 1);
  CheckLookups(settings);
  PrintFixedResults(settings, options >> 6);
  return 0;
}
