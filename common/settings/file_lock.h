// An advisory lock on a file, held for one open–change–close cycle of the link file so that
// the game and the viewer never read each other's half-finished rewrite.
#pragma once

#include <filesystem>
#include <functional>

namespace settings {

class FileLock {
 public:
  // Waits until the lock on path + ".lock" is held, at most three seconds while another
  // program holds it. A lock that cannot be had (still held then, no such folder, no
  // permission, a file system without locks) is skipped: the cycle then runs unguarded, as the
  // protocol allows.
  explicit FileLock(const std::filesystem::path& path);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  bool IsHeld() const { return handle_ != -1; }

 private:
  long long handle_ = -1;
};

// Calls tryLock, which returns 0 once it holds the lock and else the system's error code
// (errno, or GetLastError on Windows), until it holds the lock. Only a lock that another
// program holds is tried again, for at most three seconds; any other error (the file system
// has no locks) gives up at once. True when the lock is held.
bool WaitForLock(const std::function<int()>& tryLock);

}  // namespace settings
