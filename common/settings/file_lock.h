// An advisory lock on a file, held for one open–change–close cycle of the link file so that
// the game and the viewer never read each other's half-finished rewrite.
#pragma once

#include <filesystem>

namespace settings {

class FileLock {
 public:
  // Waits until the lock on path + ".lock" is held, at most three seconds. A lock that
  // cannot be had (still held then, no such folder, no permission, no lock support) is
  // skipped: the cycle then runs unguarded, as the protocol allows.
  explicit FileLock(const std::filesystem::path& path);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  bool IsHeld() const { return handle_ != -1; }

 private:
  long long handle_ = -1;
};

}  // namespace settings
