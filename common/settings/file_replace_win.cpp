// The replacing rename on Windows.
#include "common/settings/file_replace.h"

#include <windows.h>

namespace settings {

namespace {

// A target that another program has open without sharing its deletion (a virus scanner, an
// indexer, the other program reading it) refuses the rename for a moment.
constexpr int kAttempts = 20;
constexpr DWORD kPauseMilliseconds = 10;

bool IsMomentary(DWORD error) {
  return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
         error == ERROR_LOCK_VIOLATION;
}

}  // namespace

bool MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  for (int attempt = 1;; ++attempt) {
    // Write-through: the call returns once the rename is on the disk. No copy is allowed,
    // so the replacement stays one step.
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return true;
    if (attempt == kAttempts || !IsMomentary(GetLastError())) return false;
    Sleep(kPauseMilliseconds);
  }
}

}  // namespace settings
