// The link file's advisory lock: LockFileEx on Windows, flock elsewhere, always on a side
// file, so that replacing the link file itself never drops a lock someone holds.
#include "common/settings/file_lock.h"

#include <chrono>
#include <thread>

#ifdef _WIN32
#include <windows.h>

#include <cstdint>
#else
#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace settings {
namespace {

std::filesystem::path LockPathFor(const std::filesystem::path& path) {
  std::filesystem::path lockPath = path;
  lockPath += ".lock";
  return lockPath;
}

// The other program holds the lock only for one short cycle; one that keeps it longer has
// stalled, and waiting for it would freeze this program too.
constexpr auto kLongestWait = std::chrono::seconds(3);
constexpr auto kRetryPause = std::chrono::milliseconds(5);

// Whether the error of a lock call says that another program holds the lock; every other
// error means the lock cannot be had here at all (ENOLCK, EOPNOTSUPP, EINVAL, or on Windows
// ERROR_NOT_SUPPORTED, ERROR_INVALID_FUNCTION, ...), and waiting would only cost time.
bool HeldElsewhere(int error) {
#ifdef _WIN32
  return error == ERROR_LOCK_VIOLATION;
#else
  return error == EWOULDBLOCK || error == EAGAIN || error == EINTR;
#endif
}

}  // namespace

bool WaitForLock(const std::function<int()>& tryLock) {
  const auto giveUp = std::chrono::steady_clock::now() + kLongestWait;
  for (;;) {
    const int error = tryLock();
    if (error == 0) return true;
    if (!HeldElsewhere(error) || std::chrono::steady_clock::now() >= giveUp) return false;
    std::this_thread::sleep_for(kRetryPause);
  }
}

#ifdef _WIN32

FileLock::FileLock(const std::filesystem::path& path) {
  HANDLE file = CreateFileW(LockPathFor(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  OVERLAPPED whole{};
  const bool held = WaitForLock([&] {
    return LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                      MAXDWORD, &whole)
               ? 0
               : static_cast<int>(GetLastError());
  });
  if (!held) {
    CloseHandle(file);
    return;
  }
  handle_ = static_cast<long long>(reinterpret_cast<intptr_t>(file));
}

FileLock::~FileLock() {
  if (handle_ == -1) return;
  HANDLE file = reinterpret_cast<HANDLE>(static_cast<intptr_t>(handle_));
  OVERLAPPED whole{};
  UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &whole);
  CloseHandle(file);
}

#else

FileLock::FileLock(const std::filesystem::path& path) {
  const int file = open(LockPathFor(path).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (file < 0) return;
  if (!WaitForLock([&] { return flock(file, LOCK_EX | LOCK_NB) == 0 ? 0 : errno; })) {
    close(file);
    return;
  }
  handle_ = file;
}

FileLock::~FileLock() {
  if (handle_ == -1) return;
  const int file = static_cast<int>(handle_);
  flock(file, LOCK_UN);
  close(file);
}

#endif

}  // namespace settings
