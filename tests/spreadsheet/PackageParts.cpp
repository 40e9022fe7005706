#include "PackageParts.h"

#include <gtest/gtest.h>
#include <unzip.h>
#include <zip.h>

PackageParts ReadPackageParts(const std::string& path) {
  PackageParts parts;
  unzFile archive = unzOpen64(path.c_str());
  if (archive == nullptr) return parts;
  for (int next = unzGoToFirstFile(archive); next == UNZ_OK; next = unzGoToNextFile(archive)) {
    char name[1024];
    unz_file_info64 info;
    if (unzGetCurrentFileInfo64(archive, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK) break;
    if (unzOpenCurrentFile(archive) != UNZ_OK) break;
    std::string bytes;
    char buffer[65536];
    for (int n; (n = unzReadCurrentFile(archive, buffer, sizeof buffer)) > 0;) bytes.append(buffer, static_cast<std::size_t>(n));
    unzCloseCurrentFile(archive);
    parts.emplace_back(name, std::move(bytes));
  }
  unzClose(archive);
  return parts;
}

void WritePackageParts(const std::string& path, const PackageParts& parts, bool stored) {
  zipFile archive = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
  ASSERT_NE(archive, nullptr) << path;
  for (const auto& [name, bytes] : parts) {
    zip_fileinfo info = {};
    ASSERT_EQ(zipOpenNewFileInZip64(archive, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                    stored ? 0 : Z_DEFLATED, stored ? 0 : Z_DEFAULT_COMPRESSION, 0),
              ZIP_OK);
    ASSERT_EQ(zipWriteInFileInZip(archive, bytes.data(), static_cast<unsigned>(bytes.size())), ZIP_OK);
    ASSERT_EQ(zipCloseFileInZip(archive), ZIP_OK);
  }
  ASSERT_EQ(zipClose(archive, nullptr), ZIP_OK);
}

std::string PartOf(const PackageParts& parts, const std::string& name) {
  for (const auto& [part, bytes] : parts)
    if (part == name) return bytes;
  return {};
}
