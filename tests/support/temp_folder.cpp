// Per-test temporary folders.
#include "tests/support/temp_folder.h"

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>

namespace testing_support {

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  std::random_device device;
  std::ostringstream name;
  name << "deradu-test-" << device() << "-" << counter++;
  path_ = std::filesystem::temp_directory_path() / name.str();
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempFolder::Write(std::string_view name, std::string_view bytes) const {
  std::filesystem::path file = path_ / name;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return file;
}

std::string TempFolder::Read(std::string_view name) const { return ReadFileBytes(path_ / name); }

std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

}  // namespace testing_support
