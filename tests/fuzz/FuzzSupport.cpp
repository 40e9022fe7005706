#include "FuzzSupport.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include "Reference.h"
#include "data/ReportData.h"
#include "excel/ExcelHelper.h"
#include "logger/Logger.h"
#include "platform/Exception.h"
#include "platform/System.h"
#include "platform/spreadsheet/SpreadsheetServer.h"
#include "report/Template.h"
#include "settings/Settings.h"

namespace fs = std::filesystem;

// Freed memory waits in a quarantine before it is used again, so that a use after free shows.
// At ASan's 256 MB every allocation touches fresh pages, which costs more here than the
// reports themselves; 16 MB still holds the memory of many inputs.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }

namespace fuzz {

void Fail(const char* what, const char* file, int line, const std::string& detail) {
  std::fprintf(stderr, "\n%s:%d: check failed: %s\n", file, line, what);
  if (!detail.empty()) std::fprintf(stderr, "  %s\n", detail.c_str());
  std::fflush(stderr);
  std::abort();
}

std::string Printable(std::string_view bytes, std::size_t limit) {
  std::string text;
  for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      text += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      text += hex;
    }
  }
  if (bytes.size() > limit) text += "... (" + std::to_string(bytes.size()) + " bytes)";
  return text;
}

std::string Describe(long long value) { return std::to_string(value); }

std::string Describe(const std::string& value) { return "\"" + Printable(value) + "\""; }

std::string Describe(const std::u16string& value) {
  std::string text = "u\"";
  for (std::size_t i = 0; i < value.size() && i < 100; ++i) {
    char16_t c = value[i];
    if (c >= 0x20 && c < 0x7F && c != u'\\') {
      text += static_cast<char>(c);
    } else {
      char hex[10];
      std::snprintf(hex, sizeof hex, "\\u%04X", static_cast<unsigned>(c));
      text += hex;
    }
  }
  if (value.size() > 100) text += "... (" + std::to_string(value.size()) + " units)";
  return text + "\"";
}

ProgramFolder& ProgramFolder::Get() {
  static ProgramFolder folder;
  return folder;
}

ProgramFolder::ProgramFolder() {
  std::string pattern = (fs::temp_directory_path() / "kelvarn-fuzz-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) Fail("mkdtemp", __FILE__, __LINE__, pattern);
  dir_ = pattern + "/";
  fs::create_directories(dir_ + "workbooks");
  SetModuleFileNameForTesting(dir_ + "kelvarn");
  SetCommandLineForTesting({dir_ + "kelvarn"});
  SetWorkbookFolderForTesting(dir_ + "workbooks/");
  setenv("KELVARN_OPENER", "/bin/true", 1);
}

ProgramFolder::~ProgramFolder() {
  SetWorkbookFolderForTesting("");
  SetModuleFileNameForTesting("");
  std::error_code ec;
  fs::remove_all(dir_, ec);
}

void ProgramFolder::Write(const std::string& name, std::string_view bytes) const {
  fs::path path = fs::path(dir_) / name;
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) Fail("write", __FILE__, __LINE__, path.string());
}

void ProgramFolder::Remove(const std::string& name) const {
  std::error_code ec;
  fs::remove(fs::path(dir_) / name, ec);
}

void ProgramFolder::LayOutShippedConfig() const {
  fs::copy(fs::path(KELVARN_SOURCE_DIR) / "config", dir_,
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

namespace {

void StartRun() {
  ProgramFolder& folder = ProgramFolder::Get();
  Logger::ResetForTesting();
  SetCommandLineForTesting({folder.Path("kelvarn")});
}

}  // namespace

Input StartInput(const std::uint8_t* data, std::size_t size) {
  StartRun();
  return {data[0], std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1)};
}

const Settings& ShippedSettings() {
  static const Settings settings = [] {
    ProgramFolder& folder = ProgramFolder::Get();
    folder.LayOutShippedConfig();
    StartRun();
    Settings loaded;
    loaded.Load();
    return loaded;
  }();
  return settings;
}

const Template& ShippedTemplate(const std::string& fileName) {
  static std::map<std::string, std::unique_ptr<Template>> loaded;
  auto& entry = loaded[fileName];
  if (!entry) {
    entry = std::make_unique<Template>();
    std::string path = std::string(KELVARN_SOURCE_DIR) + "/config/templates/" + fileName;
    if (!entry->Load(path)) Fail("the shipped template loads", __FILE__, __LINE__, path);
  }
  return *entry;
}

void CountingProgress::SetPosition(float) {
  if (begins == 0 || ends > 0) outOfOrder = true;
  ++positions;
}

void CountingProgress::Step() {
  if (begins == 0 || ends > 0) outOfOrder = true;
  ++steps;
}

void CountingProgress::Begin(int) {
  if (begins > 0 || ends > 0) outOfOrder = true;
  ++begins;
}

void CountingProgress::End() {
  if (begins == 0) outOfOrder = true;
  ++ends;
}

void CountingProgress::CheckRanOnce() const {
  FUZZ_CHECK_EQ(begins, 1);
  FUZZ_CHECK_EQ(ends, 1);
  FUZZ_CHECK(!outOfOrder);
}

void CheckNothingLost(const ReportData& data, std::string_view file) {
  const std::vector<std::string> pieces = reference::ReadPieces(file, 2048);
  std::size_t lines = 0;
  for (std::size_t i = 1; i < pieces.size(); ++i) lines += !pieces[i].empty();
  FUZZ_CHECK_EQ(data.raw.rows.size(), lines);

  std::size_t grouped = 0;
  for (const auto& row : data.raw.rows) grouped += !data.settings.FindKeyByAlias(row.ename).empty();
  std::size_t results = 0;
  for (const auto& [key, sample] : data.records) results += sample.meds.size();
  FUZZ_CHECK_EQ(results, grouped);
}

void CheckTemplateProgress(const Template& tmpl, const ReportData& data, const std::vector<AnsiString>& ids,
                           const CountingProgress& progress) {
  progress.CheckRanOnce();
  long long least = 0;
  long long tables = 0;
  for (const Command& command : tmpl.commands) {
    if (command.name == "wc" || command.name == "sh" || command.name == "sw")
      ++least;
    else if (command.name == "wft" && !data.records.empty())
      least += static_cast<long long>(data.raw.rows.size());
    else if (command.name == "wt")
      ++tables;
  }
  const long long widest = static_cast<long long>(std::max({data.records.size(), ids.size(), std::size_t{1}}));
  FUZZ_CHECK(progress.steps >= least);
  FUZZ_CHECK(progress.steps <= least + tables * widest);
}

void OpenExcel(ExcelHelper& excel) { FUZZ_CHECK(excel.Open()); }

void RemoveLastWorkbook() {
  std::string path = LastWrittenWorkbookSystemPath();
  if (!path.empty()) std::remove(path.c_str());
}

void ShowAndRemoveWorkbook(ExcelHelper& excel) {
  try {
    excel.Show();
  } catch (const std::exception& e) {
    Fail("the workbook is written and shown", __FILE__, __LINE__, e.what());
  }
  RemoveLastWorkbook();
}

}  // namespace fuzz
