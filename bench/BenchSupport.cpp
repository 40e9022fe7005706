#include "BenchSupport.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/CodePages.h"
#include "platform/System.h"
#include "platform/spreadsheet/SpreadsheetServer.h"

extern char** environ;

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

// UTF-8 text of this source in the code page.
std::string Encode(const char* utf8, unsigned codePage) {
  if (codePage == CP_UTF8) return utf8;
  WideString wide = Utf8ToUtf16(utf8);
  std::string bytes(wide.size() * 4, '\0');
  int length = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(),
                                   static_cast<int>(bytes.size()));
  if (length <= 0) std::abort();
  bytes.resize(static_cast<size_t>(length));
  return bytes;
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

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

long MinorPageFaults() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt;
}

std::string WriteResultsFile(long lines, unsigned codePage) {
  static const char* const kElements[] = {"TCS", "CAP", "STREP", "B", "LINCO", "TYL+TIL", "QNS"};
  const std::string repeated = Encode("повторный отбор", codePage);
  const std::string positive = Encode("Позитив", codePage);
  const std::string negative = Encode("Негатив", codePage);
  std::string path = BenchDir() + "/results-" + std::to_string(lines) +
                     (codePage == CP_UTF8 ? "" : "-cp" + std::to_string(codePage)) + ".csv";
  std::ofstream out(path, std::ios::binary);
  out << Encode("Номер пробы,Поставщик,Дата и время анализа,Примечание,Партия,Элемент,Результат,Значение\n",
                codePage);
  char line[256];
  for (long i = 0; i < lines; ++i) {
    long sample = i / 7;
    long seconds = sample * 37;
    std::snprintf(line, sizeof line, "%05ld,P%02ld,2026.%02ld.%02ld %02ld:%02ld:%02ld,%s,202612%02ld-%02ld,%s,%s,0.%02ld\n",
                  sample % 100000, sample % 40, 1 + sample / 400000 % 12, 1 + sample / 86400 % 28, seconds / 3600 % 24,
                  seconds / 60 % 60, seconds % 60, sample % 9 == 0 ? repeated.c_str() : "", 1 + sample % 28,
                  sample % 13, kElements[i % 7], (sample % 50 == 0 ? positive : negative).c_str(), i % 100);
    out << line;
  }
  if (!out.flush()) std::abort();
  return path;
}

long SamplesInResultsFile(long lines) { return (lines + 6) / 7; }

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

std::string LayOutShippedProgram(const std::vector<std::string>& arguments) {
  const std::string dir = BenchDir() + "/program/";
  std::filesystem::create_directories(dir);
  std::filesystem::copy(std::filesystem::path(KELVARN_SOURCE_DIR) / "config", dir,
                        std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  SetModuleFileNameForTesting(dir + "kelvarn");
  std::vector<std::string> commandLine = {dir + "kelvarn"};
  commandLine.insert(commandLine.end(), arguments.begin(), arguments.end());
  SetCommandLineForTesting(commandLine);
  return dir;
}

void SendWorkbooksToBenchFolder() {
  setenv("KELVARN_OPENER", "/bin/true", 1);
  SetWorkbookFolderForTesting(BenchDir());
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

SizeOptions TakeSizeOptions(int& argc, char** argv) {
  SizeOptions options;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (i + 1 < argc && std::strcmp(argv[i], "--lines") == 0) {
      options.lines = std::atol(argv[++i]);
    } else if (i + 1 < argc && std::strcmp(argv[i], "--repeats") == 0) {
      options.repeats = std::atoi(argv[++i]);
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  argv[argc] = nullptr;
  return options;
}

int RunSizesInOwnProcesses(const std::vector<long>& sizes, const SizeOptions& options, int argc, char** argv) {
  std::error_code ec;
  const std::string self = std::filesystem::read_symlink("/proc/self/exe", ec).string();
  std::string title;
  std::vector<std::string> head;  // the header and separator lines of the first table
  std::vector<std::string> rows;
  bool failed = false;
  for (long lines : sizes) {
    std::vector<std::string> arguments = {argv[0], "--lines", std::to_string(lines)};
    if (options.repeats > 0) arguments.insert(arguments.end(), {"--repeats", std::to_string(options.repeats)});
    arguments.insert(arguments.end(), argv + 1, argv + argc);
    std::vector<char*> childArgv;
    for (std::string& argument : arguments) childArgv.push_back(argument.data());
    childArgv.push_back(nullptr);

    int pipeFds[2];
    if (pipe(pipeFds) != 0) return 1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeFds[1]);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, self.c_str(), &actions, nullptr, childArgv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
      close(pipeFds[0]);
      std::fprintf(stderr, "cannot start %s: %s\n", self.c_str(), std::strerror(spawned));
      return 1;
    }

    // Everything the run prints goes through; the lines of its summary table are kept.
    std::FILE* output = fdopen(pipeFds[0], "r");
    char* buffer = nullptr;
    size_t capacity = 0;
    int tableLine = -1;  // -1: outside a summary table
    while (getline(&buffer, &capacity, output) != -1) {
      std::fputs(buffer, stdout);
      std::fflush(stdout);
      const std::string line(buffer);
      if (StartsWith(line, "Summary: ")) {
        title = line.substr(9);
        tableLine = 0;
      } else if (tableLine >= 0 && StartsWith(line, "|")) {
        if (tableLine >= 2)
          rows.push_back(line);
        else if (head.size() < 2)
          head.push_back(line);
        ++tableLine;
      } else {
        tableLine = -1;
      }
    }
    std::free(buffer);
    std::fclose(output);

    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      std::fprintf(stderr, "the run of %ld lines failed\n", lines);
      failed = true;
    }
  }
  if (!rows.empty()) {
    std::printf("\nSummary of all sizes: %s", title.c_str());
    for (const std::string& line : head) std::fputs(line.c_str(), stdout);
    for (const std::string& line : rows) std::fputs(line.c_str(), stdout);
  }
  return failed ? 1 : 0;
}

void RunSizeBenchmark(const std::string& name, const SizeOptions& size,
                      const std::function<void(benchmark::State&)>& body) {
  benchmark::RegisterBenchmark((name + "/lines:" + std::to_string(size.lines)).c_str(), body)
      ->Iterations(1)
      ->Repetitions(size.Repeats())
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
}

SummaryTable::SummaryTable(std::string title, long lines, long samples, int runs) : title_(std::move(title)) {
  double load[1] = {0};
  getloadavg(load, 1);
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", load[0]);
  Add("lines", GroupedNumber(lines));
  Add("samples", GroupedNumber(samples));
  Add("runs", std::to_string(runs));
  Add("load avg", text);
}

void SummaryTable::Add(const std::string& column, const std::string& text) { cells_.emplace_back(column, text); }

void SummaryTable::AddMilliseconds(const std::string& column, double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", seconds * 1000);
  Add(column, text);
}

void SummaryTable::AddMegabytes(const std::string& column, double megabytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", megabytes);
  Add(column, text);
}

void SummaryTable::Print() const {
  std::string header = "|", separator = "|", row = "|";
  for (const auto& [column, text] : cells_) {
    header += " " + column + " |";
    separator += "---:|";
    row += " " + text + " |";
  }
  std::printf("\nSummary: %s\n%s\n%s\n%s\n", title_.c_str(), header.c_str(), separator.c_str(), row.c_str());
  std::fflush(stdout);
}

std::string GroupedNumber(long number) {
  const std::string digits = std::to_string(number < 0 ? -number : number);
  std::string grouped = number < 0 ? "-" : "";
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}
