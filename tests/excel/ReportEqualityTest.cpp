// Every shipped report over a generated day of a few thousand lines, written to .xlsx and read
// back cell by cell (value, type, number format, wrap, bold, font size, borders, column widths,
// row heights), together with the log of the load, against references kept in
// tests/excel/reference/. They hold what the reports are; a change that is meant to change a
// report makes them again:
//
//   KELVARN_WRITE_REFERENCE=1 build/tests/excel_tests --gtest_filter='ReportEquality*'
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "ReadBack.h"
#include "WorkbookOutput.h"
#include "data/ReportData.h"
#include "excel/ExcelHelper.h"
#include "platform/spreadsheet/SpreadsheetServer.h"
#include "report/FullReport.h"
#include "report/Template.h"
#include "report/TemplateReport.h"
#include "support/ProgramFixture.h"

namespace {

const std::string kReferenceDir = std::string(KELVARN_SOURCE_DIR) + "/tests/excel/reference/";

// A small random source of our own, the same on every machine.
class Dice {
 public:
  unsigned Next(unsigned n) {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<unsigned>((state_ >> 33) % n);
  }
  template <std::size_t N>
  const char* Pick(const char* const (&choices)[N]) {
    return choices[Next(N)];
  }

 private:
  unsigned long long state_ = 20261209;
};

// A day of results, UTF-8 here: samples of one to eight lines in the shipped column order
// (3,204 lines for 700 samples), some sharing their second, unknown elements and words,
// placeholders in values, short and blank lines, a few lines that the file then holds in
// UTF-8 instead of 1251.
std::vector<std::string> GeneratedDay(int samples) {
  static const char* const kProviders[] = {"P01", "P02", "P03", "P04", "P05", "P06", "P07", "P08", "P09", "{name}"};
  static const char* const kElements[] = {"TCS", "CAP", "STREP", "B", "LIN", "LINCO", "TYL", "TYL+TIL", "QNS", "SULF"};
  static const char* const kResults[] = {"Негатив", "Негатив", "Негатив", "Negative", "Позитив", "Positive",
                                         "Сомнительно", ""};
  static const char* const kNotes[] = {"", "", "", "", "повторный отбор", "проба мутная", "{eof}", "{tcs}",
                                       "кисловатый запах; t=12°C", "0012"};
  Dice dice;
  std::vector<std::string> lines;
  int hour = 5, minute = 0, second = 0;
  for (int s = 0; s < samples; ++s) {
    if (dice.Next(10) != 0) {  // one sample in ten shares the second of the one before
      second += 1 + static_cast<int>(dice.Next(90));
      minute += second / 60, second %= 60;
      hour += minute / 60, minute %= 60;
    }
    char time[64];
    std::snprintf(time, sizeof time, "2026.12.%02d %02d:%02d:%02d", 9 + hour / 24, hour % 24, minute, second);
    char id[16];
    std::snprintf(id, sizeof id, dice.Next(40) == 0 ? "{provider}%d" : "%05d", 10 + s * 3);
    const std::string provider = kProviders[dice.Next(10)];
    const std::string notes = dice.Next(50) == 0 ? std::string(300, 'n') : kNotes[dice.Next(10)];
    char lot[32];
    std::snprintf(lot, sizeof lot, dice.Next(20) == 0 ? "abc" : "2026120%u-%02u", dice.Next(9) + 1, dice.Next(30));
    const unsigned count = 1 + dice.Next(8);
    for (unsigned l = 0; l < count; ++l) {
      char value[16];
      std::snprintf(value, sizeof value, dice.Next(12) == 0 ? "%04u" : "0.%02u", dice.Next(100));
      std::string line = std::string(id) + "," + provider + "," + time + "," + notes + "," + lot + "," +
                         kElements[dice.Next(10)] + "," + kResults[dice.Next(8)] + "," + value;
      if (dice.Next(60) == 0) line = line.substr(0, line.rfind(','));  // a field fewer
      if (dice.Next(40) == 0) line = "U" + line;                       // kept in UTF-8 in the file
      lines.push_back(line);
      if (dice.Next(200) == 0) lines.emplace_back();  // a blank line
    }
  }
  return lines;
}

// The file's bytes: a header, then every line in 1251, but those marked "U" in UTF-8.
std::string FileBytes(const std::vector<std::string>& lines) {
  std::string bytes = Cp("Номер,Поставщик,Время,Примечание,Партия,Элемент,Результат,Значение") + "\r\n";
  for (const std::string& line : lines)
    bytes += (!line.empty() && line[0] == 'U' ? line.substr(1) : Cp(line.c_str())) + "\r\n";
  return bytes;
}

// What the read-back says of cells, columns and rows.
std::string CellsOf(const std::string& workbook) {
  ReadBack read = ReadXlsx(workbook);
  EXPECT_TRUE(read.ok) << read.output;
  std::istringstream lines(read.output);
  std::string kept;
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("cell\t", 0) == 0 || line.rfind("col\t", 0) == 0 || line.rfind("row\t", 0) == 0) kept += line + "\n";
  return kept;
}

std::string ReadGzip(const std::string& path) {
  std::string text;
  gzFile file = gzopen(path.c_str(), "rb");
  if (file == nullptr) return text;
  char buffer[65536];
  for (int n; (n = gzread(file, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
  gzclose(file);
  return text;
}

void WriteGzip(const std::string& path, const std::string& text) {
  gzFile file = gzopen(path.c_str(), "wb9");
  ASSERT_NE(file, nullptr) << path;
  gzwrite(file, text.data(), static_cast<unsigned>(text.size()));
  gzclose(file);
}

// The first line where two texts differ, for the failure message.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
  std::istringstream e(expected), a(actual);
  std::string le, la;
  for (int n = 1;; ++n) {
    const bool moreE = static_cast<bool>(std::getline(e, le));
    const bool moreA = static_cast<bool>(std::getline(a, la));
    if (!moreE && !moreA) return "no difference";
    if (!moreE || !moreA || le != la)
      return "line " + std::to_string(n) + "\n  expected: " + (moreE ? le : "(end)") + "\n  actual:   " + (moreA ? la : "(end)");
  }
}

class ReportEquality : public ProgramFixture {
 protected:
  void SetUp() override {
    // The workbook folder is a program folder too, made later: this one is the program's.
    SetModuleFileNameForTesting(dir.Path("kelvarn"));
    dir.LayOutShippedConfig();
    Settings settings;
    settings.Load();
    dir.Write("day.csv", FileBytes(GeneratedDay(700)));
    data = ReportData(settings);
    ASSERT_TRUE(data.Load(dir.Path("day.csv")));
    ASSERT_GT(data.records.size(), 650u);
  }

  std::string PrintTemplate(const std::string& name, const std::vector<AnsiString>& ids, bool numbered) {
    Template tmpl;
    EXPECT_TRUE(tmpl.Load(dir.Path("templates/" + name)));
    ExcelHelper excel;
    EXPECT_TRUE(excel.Open());
    TemplateReport(&tmpl, &data, ids, numbered).Build(&excel, nullptr);
    excel.Show();
    return CellsOf(LastWrittenWorkbookSystemPath());
  }

  void Compare(const std::string& name, const std::string& actual) {
    const std::string path = kReferenceDir + name + ".txt.gz";
    if (std::getenv("KELVARN_WRITE_REFERENCE") != nullptr) WriteGzip(path, actual);
    const std::string expected = ReadGzip(path);
    ASSERT_FALSE(expected.empty()) << "no reference " << path;
    EXPECT_TRUE(expected == actual) << name << ": " << FirstDifference(expected, actual);
  }

  ReportData data;
  WorkbookOutput output;
};

TEST_F(ReportEquality, TheLogOfTheLoad) {
  Compare("load-log", LogText());
}

TEST_F(ReportEquality, Journal) { Compare("journal", PrintTemplate("1-journal.txt", {}, false)); }

TEST_F(ReportEquality, JournalNumbered) { Compare("journal-numbered", PrintTemplate("1-journal.txt", {}, true)); }

TEST_F(ReportEquality, SelectedSamples) {
  std::vector<AnsiString> ids;
  int i = 0;
  for (const auto& [key, sample] : data.records)
    if (i++ % 7 == 3) ids.push_back(key);
  ids.insert(ids.begin() + 2, "");
  ids.push_back(ids.front());
  Compare("selected", PrintTemplate("2-selected.txt", ids, true));
}

TEST_F(ReportEquality, ElementTable) { Compare("elements", PrintTemplate("3-elements.txt", {}, false)); }

TEST_F(ReportEquality, FullReport) {
  FullReport(data).Build(nullptr, nullptr);
  Compare("full", CellsOf(LastWrittenWorkbookSystemPath()));
}

}  // namespace
