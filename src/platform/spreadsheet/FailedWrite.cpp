#include "platform/spreadsheet/FailedWrite.h"

#include <dirent.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace spreadsheet {
namespace {

using Descriptors = std::vector<std::pair<int, std::string>>;

// The open descriptors that lead into a folder (its real path, with a trailing "/").
Descriptors DescriptorsInto(const std::string& realFolder) {
  Descriptors found;
  DIR* list = opendir("/proc/self/fd");
  if (list == nullptr) return found;
  while (const dirent* entry = readdir(list)) {
    char* end = nullptr;
    const long fd = std::strtol(entry->d_name, &end, 10);
    if (end == entry->d_name || *end != '\0' || fd == dirfd(list)) continue;
    char target[PATH_MAX + 16];
    const std::string link = std::string("/proc/self/fd/") + entry->d_name;
    const ssize_t length = readlink(link.c_str(), target, sizeof target);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof target) continue;
    std::string path(target, static_cast<std::size_t>(length));
    if (path.starts_with(realFolder)) found.emplace_back(static_cast<int>(fd), std::move(path));
  }
  closedir(list);
  return found;
}

}  // namespace

OpenedByWrite::OpenedByWrite(const std::string& folder) {
  char* real = realpath(folder.c_str(), nullptr);
  if (real == nullptr) return;
  realFolder_ = std::string(real) + "/";
  std::free(real);
  before_ = DescriptorsInto(realFolder_);
}

void OpenedByWrite::CloseLeftOpen() const {
  if (realFolder_.empty()) return;
  // A temporary file's name is new with each write, so a descriptor open before, and one
  // that the write opened under a number let go meanwhile, are told apart.
  for (const auto& descriptor : DescriptorsInto(realFolder_))
    if (std::find(before_.begin(), before_.end(), descriptor) == before_.end()) close(descriptor.first);
}

int NoRoomError(const std::string& folder, const PackageFault& fault, const SheetContent& handed,
                std::uint64_t packageBytes) {
  double sheet = static_cast<double>(fault.partBytes);
  if (fault.part == kSheetPart && handed.cells > fault.found.cells)
    sheet *= static_cast<double>(handed.cells) / static_cast<double>(std::max(fault.found.cells, 1L));
  rlimit limit;
  if (getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
      sheet >= static_cast<double>(limit.rlim_cur))
    return EFBIG;
  struct statvfs disk;
  if (statvfs(folder.c_str(), &disk) == 0 &&
      static_cast<double>(disk.f_bavail) * static_cast<double>(disk.f_frsize) < 2 * sheet + static_cast<double>(packageBytes))
    return ENOSPC;
  return 0;
}

}  // namespace spreadsheet
