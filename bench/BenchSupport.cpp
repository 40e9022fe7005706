#include "BenchSupport.h"

#include <sys/resource.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/System.h"
#include "platform/spreadsheet/SpreadsheetServer.h"

namespace {

// Made on first use and removed with everything in it when the program ends.
struct BenchFolder {
  BenchFolder() {
    path = (std::filesystem::temp_directory_path() / "kelvarn-bench-XXXXXX").string();
    if (mkdtemp(path.data()) == nullptr) std::abort();
  }
  ~BenchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string path;
};

}  // namespace

const std::string& BenchDir() {
  static const BenchFolder folder;
  return folder.path;
}

double PeakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

std::string WriteResultsFile(long lines) {
  static const char* const kElements[] = {"TCS", "CAP", "STREP", "B", "LINCO", "TYL+TIL", "QNS"};
  std::string path = BenchDir() + "/results-" + std::to_string(lines) + ".csv";
  std::ofstream out(path, std::ios::binary);
  out << "Номер пробы,Поставщик,Дата и время анализа,Примечание,Партия,Элемент,Результат,Значение\n";
  char line[256];
  for (long i = 0; i < lines; ++i) {
    long sample = i / 7;
    long seconds = sample * 37;
    std::snprintf(line, sizeof line, "%05ld,P%02ld,2026.%02ld.%02ld %02ld:%02ld:%02ld,%s,202612%02ld-%02ld,%s,%s,0.%02ld\n",
                  sample % 100000, sample % 40, 1 + sample / 400000 % 12, 1 + sample / 86400 % 28, seconds / 3600 % 24,
                  seconds / 60 % 60, seconds % 60, sample % 9 == 0 ? "повторный отбор" : "", 1 + sample % 28,
                  sample % 13, kElements[i % 7], sample % 50 == 0 ? "Позитив" : "Негатив", i % 100);
    out << line;
  }
  return path;
}

Settings BenchSettings() {
  SetModuleFileNameForTesting(BenchDir() + "/kelvarn");
  Settings settings;
  settings.codePages = {65001};
  settings.codePage = settings.lastCodePage = 65001;
  settings.LoadFieldIndexes("{id},0,{provider},1,{time},2,{notes},3,{lot},4,{ename},5,{eresult},6,{evalue},7");
  settings.LoadGridColumns("");
  settings.negatives = {"Negative"};
  for (const char* alias : {"TCS", "CAP", "STREP", "B", "LINCO", "TYL+TIL", "QNS"}) {
    std::string name(alias);
    std::string key = name == "LINCO" ? "{lin}" : name == "TYL+TIL" ? "{tyl}" : "{" + name + "}";
    for (auto& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    settings.aliases[key].push_back(alias);
  }
  return settings;
}

void SendWorkbooksToBenchFolder() {
  setenv("KELVARN_OPENER", "/bin/true", 1);
  SetWorkbookFolderForTesting(BenchDir());
}
