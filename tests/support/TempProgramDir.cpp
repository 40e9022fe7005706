#include "support/TempProgramDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/CodePages.h"
#include "platform/System.h"

namespace fs = std::filesystem;

TempProgramDir::TempProgramDir(const std::string& prefix) {
  std::string pattern = (fs::temp_directory_path() / (prefix + "XXXXXX")).string();
  char* made = mkdtemp(pattern.data());
  if (made == nullptr) throw std::runtime_error("mkdtemp failed");
  dir_ = std::string(made) + "/";
  SetModuleFileNameForTesting(dir_ + "kelvarn");
}

TempProgramDir::~TempProgramDir() {
  SetModuleFileNameForTesting("");
  std::error_code ec;
  fs::remove_all(dir_, ec);
}

void TempProgramDir::Write(const std::string& name, const std::string& bytes) const {
  fs::path path = fs::path(dir_) / name;
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) ADD_FAILURE() << "cannot write " << path;
}

void TempProgramDir::MakeDir(const std::string& name) const { fs::create_directories(fs::path(dir_) / name); }

std::string TempProgramDir::Read(const std::string& name) const { return ReadFileBytes(dir_ + name); }

bool TempProgramDir::Exists(const std::string& name) const { return fs::exists(fs::path(dir_) / name); }

void TempProgramDir::LayOutShippedConfig() const {
  fs::copy(fs::path(KELVARN_SOURCE_DIR) / "config", dir_, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

AnsiString Cp(const char* utf8) { return Utf8ToAnsi(utf8); }
