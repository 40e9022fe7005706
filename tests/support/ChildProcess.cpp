#include "support/ChildProcess.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <exception>

FileSizeLimit::FileSizeLimit(unsigned long long bytes) {
  rlimit limit;
  getrlimit(RLIMIT_FSIZE, &limit);
  before_ = limit.rlim_cur;
  limit.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
  rlimit limit;
  getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = before_;
  setrlimit(RLIMIT_FSIZE, &limit);
}

bool ChildResult::Exited() const { return WIFEXITED(status) && WEXITSTATUS(status) == 0; }

std::string ChildResult::How() const {
  if (WIFSIGNALED(status)) return "signal " + std::to_string(WTERMSIG(status));
  return "exit " + std::to_string(WEXITSTATUS(status));
}

ChildResult RunInChild(const std::function<std::string()>& body) {
  ChildResult result;
  int pipeFds[2];
  if (pipe(pipeFds) != 0) {
    result.status = -1;
    return result;
  }
  const pid_t pid = fork();
  if (pid == 0) {
    close(pipeFds[0]);
    std::string output;
    try {
      output = body();
    } catch (const std::exception& e) {
      output = std::string("exception: ") + e.what();
    } catch (...) {
      output = "exception";
    }
    for (std::size_t done = 0; done < output.size();) {
      const ssize_t n = write(pipeFds[1], output.data() + done, output.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    _exit(0);
  }
  close(pipeFds[1]);
  if (pid < 0) {
    close(pipeFds[0]);
    result.status = -1;
    return result;
  }
  char buffer[4096];
  for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) != 0;) {
    if (n < 0) {
      if (errno == EINTR) continue;
      break;
    }
    result.output.append(buffer, static_cast<std::size_t>(n));
  }
  close(pipeFds[0]);
  while (waitpid(pid, &result.status, 0) < 0 && errno == EINTR) {
  }
  return result;
}
