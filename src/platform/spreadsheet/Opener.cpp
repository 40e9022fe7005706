#include "platform/spreadsheet/Opener.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/CodePages.h"
#include "platform/Exception.h"
#include "platform/System.h"

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

void Reap(pid_t pid) {
  auto wait = [pid] {
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
  };
  try {
    std::thread(wait).detach();
  } catch (const std::system_error&) {
    // No thread to spare: reap now if it is done already; it stays a zombie otherwise.
    waitpid(pid, nullptr, WNOHANG);
  }
}

}  // namespace

void StartOpener(const std::string& systemPath) {
  const std::string program = OpenerProgram();
  SpawnSetup setup;
  // Its own session, the signals as a fresh program has them, nothing to read.
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&setup.attributes, &none);
  posix_spawnattr_setsigdefault(&setup.attributes, &all);
  posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  posix_spawn_file_actions_addopen(&setup.actions, 0, "/dev/null", O_RDONLY, 0);

  char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(systemPath.c_str()), nullptr};
  pid_t pid = 0;
  int error = posix_spawnp(&pid, program.c_str(), &setup.actions, &setup.attributes, argv, environ);
  if (error != 0)
    throw Exception("Cannot open the workbook \"" + FromSystemPath(systemPath) + "\" with \"" + FromSystemPath(program) +
                    "\": " + std::strerror(error));
  Reap(pid);
}

}  // namespace spreadsheet
