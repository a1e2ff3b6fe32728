// The running executable on Windows, from GetModuleFileNameW.
#include "common/settings/executable_path.h"

#include <windows.h>

#include <string>

namespace settings {

std::filesystem::path ExecutablePath() {
  // A path longer than the buffer comes back cut short, its length equal to the buffer's;
  // the buffer then grows up to the longest path the system allows.
  for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
    std::wstring path(size, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
    if (length == 0) return {};
    if (length < size) {
      path.resize(length);
      return path;
    }
  }
  return {};
}

}  // namespace settings
