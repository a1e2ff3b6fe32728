// The replacing rename on POSIX systems, where rename(2) swaps the name in one step.
#include "common/settings/file_replace.h"

#include <cstdio>

namespace settings {

bool MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace settings
