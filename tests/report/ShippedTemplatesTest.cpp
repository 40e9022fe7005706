#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "ReportTestData.h"
#include "platform/CodePages.h"
#include "report/TemplateReport.h"
#include "settings/ReportTexts.h"
#include "support/ProgramFixture.h"
#include "support/RecordingSheet.h"

namespace fs = std::filesystem;

namespace {

const std::string kSamples = std::string(KELVARN_SOURCE_DIR) + "/samples/";
const char* const kJournal = "1-journal.txt";
const char* const kSelected = "2-selected.txt";
const char* const kElements = "3-elements.txt";

// The shipped template file names in listing order: without regard to letter case.
std::vector<std::string> ListedTemplates(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().extension() == ".txt") names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end(), [](std::string a, std::string b) {
    for (auto* text : {&a, &b}) std::transform(text->begin(), text->end(), text->begin(), ::tolower);
    return a < b;
  });
  return names;
}

std::string Utf8(const AnsiString& ansi) { return AnsiToUtf8(ansi); }

class ShippedTemplates : public ProgramFixture {
 protected:
  // The shipped configuration laid out beside the program and loaded, and the UTF-8 sample.
  void SetUp() override {
    dir.LayOutShippedConfig();
    data = LoadSample({}, "incoming-2026-12-09.csv");
  }

  ReportData LoadSample(const std::vector<std::string>& arguments, const std::string& sample) {
    SetArguments(arguments);
    Settings settings;
    settings.Load();
    ReportData loaded(settings);
    EXPECT_TRUE(loaded.Load(kSamples + sample));
    return loaded;
  }

  Template LoadTemplate(const char* name) {
    Template tmpl;
    EXPECT_TRUE(tmpl.Load(dir.Path(std::string("templates/") + name))) << name;
    return tmpl;
  }

  void Run(const char* name, const std::vector<AnsiString>& ids = {}, bool numbered = false) {
    RunInto(sheet, name, ids, numbered);
  }

  void RunInto(RecordingSheet& into, const char* name, const std::vector<AnsiString>& ids = {},
               bool numbered = false) {
    Template tmpl = LoadTemplate(name);
    TemplateReport(&tmpl, &data, ids, numbered).Build(&into, &progress);
  }

  // The row of the sheet whose column holds the text, from the row given; -1 when none does.
  int FindRow(int col, const std::string& text, int from = 0) const {
    for (const auto& [place, cell] : sheet.Cells())
      if (place.second == col && place.first >= from && cell.value == text) return place.first;
    return -1;
  }

  // The values of one row, columns first to last.
  std::vector<std::string> Row(int row, int first, int last) const {
    std::vector<std::string> values;
    for (int col = first; col <= last; ++col) values.push_back(sheet.ValueAt(row, col));
    return values;
  }

  int CountValues(int col, int fromRow, int toRow) const {
    int count = 0;
    for (int row = fromRow; row <= toRow; ++row) count += sheet.Cell(row, col).hasValue;
    return count;
  }

  ReportData data;
  RecordingSheet sheet;
  RecordingProgress progress;
};

const std::vector<std::string> kAllNegative(7, "-");

std::vector<std::string> GroupHeads() {
  std::vector<std::string> heads;
  for (int text = txtHeadTetracycline; text <= txtHeadQuinolones; ++text) heads.push_back(Utf8(ReportText(text)));
  return heads;
}

TEST_F(ShippedTemplates, TheJournalIsListedFirstAndEveryTemplateLoads) {
  EXPECT_EQ(ListedTemplates(dir.Path("templates")),
            (std::vector<std::string>{kJournal, kSelected, kElements}));
  EXPECT_EQ(LoadTemplate(kJournal).title, Cp("Журнал входного контроля"));
  EXPECT_EQ(LoadTemplate(kSelected).title, Cp("Протокол испытаний выбранных проб"));
  EXPECT_EQ(LoadTemplate(kElements).title, Cp("Результаты по группам антибиотиков"));
  for (const char* name : {kJournal, kSelected, kElements}) {
    // Every line past the header is a command: a typo would drop a line silently.
    std::string text = ReadFileBytes(std::string(KELVARN_SOURCE_DIR) + "/config/templates/" + name);
    std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    EXPECT_EQ(LoadTemplate(name).commands.size(), lines - 1) << name;
    // The build puts the same bytes beside the program.
    EXPECT_EQ(ReadFileBytes(std::string(KELVARN_PROGRAM_DIR) + "/templates/" + name), text) << name;
  }
}

TEST_F(ShippedTemplates, JournalListsEverySampleWithItsMarks) {
  Run(kJournal, {Cp("2026.12.09 11:01:11")});  // the selection does not count in mode "all"

  EXPECT_EQ(sheet.ValueAt(0, 0), "Лаборатория входного контроля молока\n");
  EXPECT_TRUE(sheet.Cell(0, 0).bold);
  EXPECT_EQ(sheet.ValueAt(1, 0), "Журнал входного контроля молока на наличие антибиотиков");

  std::vector<std::string> heads = {"№", "Поставщик", "Дата\nанализа", "Время\nанализа"};
  for (const std::string& head : GroupHeads()) heads.push_back(head);
  EXPECT_EQ(Row(4, 0, 10), heads);
  EXPECT_FALSE(sheet.Cell(4, 11).hasValue);
  EXPECT_TRUE(sheet.Cell(4, 10).bold);
  EXPECT_TRUE(sheet.Cell(4, 10).borders);

  // Forty samples in the order of their analysis time, each with its id.
  EXPECT_EQ(CountValues(0, 5, 44), 40);
  EXPECT_FALSE(sheet.Cell(45, 1).hasValue);
  std::vector<std::string> first = {"0012", "Ферма «Луговая»", "2026.12.09", "06:30:05"};
  first.insert(first.end(), kAllNegative.begin(), kAllNegative.end());
  EXPECT_EQ(Row(5, 0, 10), first);
  EXPECT_EQ(sheet.ValueAt(44, 0), "0071");
  EXPECT_EQ(sheet.Cell(5, 0).fontSize, 10);
  EXPECT_EQ(sheet.RowHeight(5), 15);

  // Positive groups: "{b}" of 0020 (whose provider the dictionary lacks), "{strep}" and "{b}"
  // of 0045, "{tcs}" of 0035, "{qns}" of 0065.
  int row = FindRow(0, "0020");
  ASSERT_GT(row, 4);
  EXPECT_EQ(Row(row, 0, 3), (std::vector<std::string>{"0020", "P09", "2026.12.09", "07:31:07"}));
  EXPECT_EQ(Row(row, 4, 10), (std::vector<std::string>{"-", "-", "-", "ПОЗ", "-", "-", "-"}));
  row = FindRow(0, "0045");
  EXPECT_EQ(Row(row, 4, 10), (std::vector<std::string>{"-", "-", "ПОЗ", "ПОЗ", "-", "-", "-"}));
  int positives = 0;
  for (int r = 5; r <= 44; ++r)
    for (int col = 4; col <= 10; ++col) {
      const std::string mark = sheet.ValueAt(r, col);
      EXPECT_TRUE(mark == "-" || mark == "ПОЗ") << r << "," << col << ": " << mark;
      positives += mark == "ПОЗ";
    }
  EXPECT_EQ(positives, 5);

  // The legend one row below the table, the signature line one below that.
  EXPECT_EQ(sheet.ValueAt(46, 0).rfind("\"-\" - негатив, \"ПОЗ\" - позитив, \"---\" - нет данных", 0), 0u);
  EXPECT_EQ(sheet.ValueAt(48, 0).rfind("Лаборант", 0), 0u);
  EXPECT_EQ(sheet.Cells().rbegin()->first.first, 48);

  EXPECT_EQ(progress.maximum, 2 + 3 * 2 + 41 + 2 * 2);
  EXPECT_EQ(progress.steps, 1 + 3 + 40 + 2);
  EXPECT_EQ(progress.ends, 1);
}

// Numbered, a report of every sample or line is the same report but for its first column,
// which counts the rows in place of the ids, once.
TEST_F(ShippedTemplates, NumberedReportsCountTheirRowsInPlaceOfTheIdsOnce) {
  struct Case {
    const char* name;
    int firstRow, lastRow;  // of the data
  } cases[] = {{kJournal, 5, 44}, {kElements, 4, 286}};
  for (const Case& c : cases) {
    RecordingSheet plain, numbered;
    RunInto(plain, c.name);
    RunInto(numbered, c.name, {}, true);
    for (const auto& [place, cell] : plain.Cells()) {
      const auto [row, col] = place;
      if (col == 0 && row >= c.firstRow && row <= c.lastRow)
        EXPECT_EQ(numbered.ValueAt(row, col), std::to_string(row - c.firstRow + 1)) << c.name;
      else
        EXPECT_EQ(numbered.ValueAt(row, col), cell.value) << c.name << " " << row << "," << col;
    }
    EXPECT_EQ(numbered.Cells().size(), plain.Cells().size()) << c.name;
  }
}

TEST_F(ShippedTemplates, JournalReadsTheSameFromThe1251Sample) {
  Run(kJournal);
  data = LoadSample({"1251"}, "incoming-2026-12-09-cp1251.csv");
  RecordingSheet ansi;
  RunInto(ansi, kJournal);
  EXPECT_EQ(ansi.Calls(), sheet.Calls());
}

TEST_F(ShippedTemplates, SelectedSamplesInTheOrderGiven) {
  Run(kSelected, {RecordKey("2026.12.09 07:02:49", "0016"), RecordKey("2026.12.09 11:01:11", "0045")}, true);
  EXPECT_EQ(sheet.ValueAt(0, 0), "Лаборатория входного контроля молока\n");
  EXPECT_EQ(Row(4, 0, 4), (std::vector<std::string>{"№\nп/п", "Номер\nпробы", "Поставщик",
                                                     "Время проведения\nанализа", "Партия"}));
  EXPECT_EQ(sheet.ValueAt(4, 12), "Примечания");

  std::vector<std::string> first = {"1", "0016", "Кооператив «Полесье»", "2026.12.09 07:02:49", "20261208-04"};
  first.insert(first.end(), kAllNegative.begin(), kAllNegative.end());
  first.push_back("проба мутная");
  EXPECT_EQ(Row(5, 0, 12), first);  // numbering acts only in mode "all": the id stays
  EXPECT_EQ(Row(6, 0, 2), (std::vector<std::string>{"2", "0045", "Хозяйство «Сосновка»"}));
  EXPECT_EQ(Row(6, 5, 11), (std::vector<std::string>{"-", "-", "ПОЗ", "ПОЗ", "-", "-", "-"}));
  EXPECT_TRUE(sheet.Cell(6, 1).textFormat);  // "0045" stays text
  EXPECT_FALSE(sheet.Cell(7, 1).hasValue);
  EXPECT_EQ(sheet.ValueAt(8, 0).rfind("\"-\" - негатив", 0), 0u);
  EXPECT_EQ(sheet.ValueAt(10, 0).rfind("Исполнитель", 0), 0u);
}

TEST_F(ShippedTemplates, SelectedWithTheBlankRowWritesTheHeadOnly) {
  Run(kSelected, {""});
  EXPECT_EQ(sheet.ValueAt(4, 1), "Номер\nпробы");
  EXPECT_FALSE(sheet.Cell(5, 1).hasValue);
  EXPECT_EQ(sheet.ValueAt(6, 0).rfind("\"-\" - негатив", 0), 0u);
}

TEST_F(ShippedTemplates, ElementTableHasEveryResultLineLastFirst) {
  Run(kElements, {Cp("2026.12.09 07:02:49")});
  EXPECT_EQ(Row(3, 4, 7), (std::vector<std::string>{"Группа\nантибиотиков", "Элемент", "Результат", "Значение"}));
  // 283 lines, the last line of the file first, each with its group's display name.
  EXPECT_EQ(CountValues(0, 4, 286), 283);
  EXPECT_FALSE(sheet.Cell(287, 0).hasValue);
  EXPECT_EQ(Row(4, 0, 7), (std::vector<std::string>{"0071", "Кооператив «Полесье»", "2026.12.09 14:26:07",
                                                    "20261209-01", "Фторхинолоны", "QNS", "-", "0.27"}));
  EXPECT_EQ(Row(5, 4, 5), (std::vector<std::string>{"Тилозин+Тилмикозин", "TYL+TIL"}));
  EXPECT_EQ(sheet.ValueAt(286, 0), "0012");  // the first line of the file
  // An element that no alias lists has no group name but keeps its own.
  int row = FindRow(5, "SULF");
  ASSERT_GT(row, 3);
  EXPECT_EQ(Row(row, 4, 6), (std::vector<std::string>{"", "SULF", "-"}));
  int positives = 0;
  for (int r = 4; r <= 286; ++r) positives += sheet.ValueAt(r, 6) == "ПОЗ";
  EXPECT_EQ(positives, 5);
  EXPECT_EQ(sheet.ValueAt(288, 0).rfind("\"-\" - негатив", 0), 0u);
  EXPECT_EQ(progress.steps, 1 + 2 + 283 + 1);
}

TEST_F(ShippedTemplates, TheNameRunsOnOneLineOverATallerFirstRow) {
  for (const char* name : {kJournal, kSelected, kElements}) {
    RecordingSheet into;
    RunInto(into, name);
    EXPECT_EQ(into.ValueAt(0, 0), "Лаборатория входного контроля молока\n") << name;
    EXPECT_EQ(into.RowHeight(0), 36) << name;
    const auto& calls = into.Calls();
    auto value = std::find(calls.begin(), calls.end(), "SetValue(Лаборатория входного контроля молока\n)");
    ASSERT_NE(value, calls.end()) << name;
    EXPECT_NE(std::find(value, calls.end(), "SetWrap(0)"), calls.end()) << name << ": wrapping stays off";
  }
}

}  // namespace
