// Whole-file reading through the platform's file calls.
#include "common/settings/file_bytes.h"

#include <algorithm>

#include "common/settings/file_platform.h"

namespace settings {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, size_t limit) {
  // A pipe or a device chosen by mistake would block the program or never end.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::FILE* file = OpenFile(path, "rb");
  if (file == nullptr) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  size_t count;
  while (bytes.size() < limit &&
         (count = std::fread(buffer, 1, std::min(sizeof buffer, limit - bytes.size()), file)) > 0) {
    bytes.append(buffer, count);
  }
  // Some systems open a folder for reading; the read then fails.
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return bytes;
}

bool IsWritableFile(const std::filesystem::path& path) {
  std::FILE* file = OpenFile(path, "r+b");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

bool PathIsTaken(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::symlink_status(path, error).type() !=
         std::filesystem::file_type::not_found;
}

}  // namespace settings
