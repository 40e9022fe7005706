#include "platform/spreadsheet/Opener.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "platform/Exception.h"
#include "platform/spreadsheet/SpreadsheetServer.h"
#include "platform/spreadsheet/WorkbookMessages.h"

extern char** environ;

namespace spreadsheet {
namespace {

std::string OpenerProgram() {
  const char* chosen = std::getenv("KELVARN_OPENER");
  return chosen != nullptr && *chosen != '\0' ? chosen : "xdg-open";
}

// posix_spawn's attributes and file actions, freed on every path.
struct SpawnSetup {
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_t actions;
  SpawnSetup() {
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_init(&actions);
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
  }
};

// What the reapers tell the rest of the program. Never freed: a reaper may end while the
// program exits.
struct Reports {
  std::mutex mutex;
  std::vector<AnsiString> failures;
  std::function<void()> notifier;
  int running = 0;
};

Reports& TheReports() {
  static auto* reports = new Reports;
  return *reports;
}

// Waits for the opener on a thread of its own; a non-zero status is queued for the user.
void Reap(pid_t pid, const std::string& systemPath, const std::string& program) {
  Reports& reports = TheReports();
  {
    std::lock_guard lock(reports.mutex);
    ++reports.running;
  }
  auto wait = [pid, systemPath, program, &reports] {
    int status = 0;
    pid_t ended;
    while ((ended = waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
    }
    std::lock_guard lock(reports.mutex);
    if (ended == pid && status != 0) {
      reports.failures.push_back(OpenerFailedMessage(systemPath, program, status));
      if (reports.notifier) reports.notifier();
    }
    --reports.running;
  };
  try {
    std::thread(wait).detach();
  } catch (const std::system_error&) {
    // No thread to spare: reap now if it is done already; it stays a zombie otherwise.
    waitpid(pid, nullptr, WNOHANG);
    std::lock_guard lock(reports.mutex);
    --reports.running;
  }
}

}  // namespace

void StartOpener(const std::string& systemPath) {
  const std::string program = OpenerProgram();
  SpawnSetup setup;
  // Its own session, the signals as a fresh program has them, nothing to read, and no
  // descriptor of this program but its output and error: a file left open here (a report
  // being written, a failed write's temporary file) is not held by the opener too.
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&setup.attributes, &none);
  posix_spawnattr_setsigdefault(&setup.attributes, &all);
  posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  posix_spawn_file_actions_addopen(&setup.actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addclosefrom_np(&setup.actions, 3);

  char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(systemPath.c_str()), nullptr};
  pid_t pid = 0;
  int error = posix_spawnp(&pid, program.c_str(), &setup.actions, &setup.attributes, argv, environ);
  if (error != 0)
    throw Exception(OpenerNotStartedMessage(systemPath, program, error));
  Reap(pid, systemPath, program);
}

}  // namespace spreadsheet

std::vector<AnsiString> TakeOpenerFailures() {
  spreadsheet::Reports& reports = spreadsheet::TheReports();
  std::lock_guard lock(reports.mutex);
  return std::exchange(reports.failures, {});
}

void SetOpenerFailureNotifier(std::function<void()> notifier) {
  spreadsheet::Reports& reports = spreadsheet::TheReports();
  std::lock_guard lock(reports.mutex);
  reports.notifier = std::move(notifier);
}

int RunningOpeners() {
  spreadsheet::Reports& reports = spreadsheet::TheReports();
  std::lock_guard lock(reports.mutex);
  return reports.running;
}
