// The running executable on Linux, named by the process's own /proc entry.
#include "common/settings/executable_path.h"

#include <system_error>

namespace settings {

std::filesystem::path ExecutablePath() {
  std::error_code error;
  std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : path;
}

}  // namespace settings
