// Whole-file system calls for Windows and for POSIX systems.
#include "common/settings/file_platform.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>
#endif

namespace settings {
namespace {

std::atomic<uint64_t> syncCount{0};

}  // namespace

uint64_t DiskSyncCount() { return syncCount; }

#ifdef _WIN32

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
  const std::string narrow(mode);
  const std::wstring wideMode(narrow.begin(), narrow.end());
  return _wfopen(path.c_str(), wideMode.c_str());
}

std::FILE* CreateNewFile(const std::filesystem::path& path) {
  const int handle = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                            _S_IREAD | _S_IWRITE);
  if (handle < 0) return nullptr;
  std::FILE* file = _fdopen(handle, "wb");
  if (file == nullptr) _close(handle);
  return file;
}

bool SyncFile(std::FILE* file) {
  ++syncCount;
  return std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
}

// Windows has no call that flushes a folder's files at once without an administrator's rights
// (a volume handle), so each file is opened again and flushed: the same number of flushes as
// when each is written, but with the handles kept open only one at a time.
bool SyncFilesInFolder(const std::filesystem::path&,
                       const std::vector<std::filesystem::path>& files) {
  constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  for (const std::filesystem::path& path : files) {
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    ++syncCount;
    const bool flushed = FlushFileBuffers(handle) != 0;
    CloseHandle(handle);
    if (!flushed) return false;
  }
  return true;
}

namespace {

// A target that another program holds open without sharing its deletion (a virus scanner, an
// indexer, the other program reading it) refuses the rename for a moment; it is tried again.
// The move is written through: it returns once the new name is on the disk.
bool MoveWithRetries(const std::filesystem::path& from, const std::filesystem::path& to,
                     DWORD flags) {
  constexpr int kAttempts = 20;
  ++syncCount;
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExW(from.c_str(), to.c_str(), flags | MOVEFILE_WRITE_THROUGH)) return true;
    const DWORD error = GetLastError();
    const bool momentary = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
                           error == ERROR_LOCK_VIOLATION;
    if (attempt == kAttempts || !momentary) return false;
    Sleep(10);
  }
}

}  // namespace

bool RenameDurably(const std::filesystem::path& from, const std::filesystem::path& to) {
  return MoveWithRetries(from, to, MOVEFILE_REPLACE_EXISTING);
}

// Without MOVEFILE_REPLACE_EXISTING the move fails on any existing name.
bool RenameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
  return MoveWithRetries(from, to, 0);
}

// Each move was written through already.
void SyncFolder(const std::filesystem::path&) {}

std::filesystem::path UserDataFolder() {
  const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
  return local != nullptr && *local != L'\0' ? std::filesystem::path(local)
                                              : std::filesystem::path();
}

#else

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

std::FILE* CreateNewFile(const std::filesystem::path& path) {
  const int handle = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (handle < 0) return nullptr;
  std::FILE* file = fdopen(handle, "wb");
  if (file == nullptr) close(handle);
  return file;
}

bool SyncFile(std::FILE* file) {
  ++syncCount;
  return std::fflush(file) == 0 && fsync(fileno(file)) == 0;
}

bool SyncFilesInFolder(const std::filesystem::path& folder,
                       const std::vector<std::filesystem::path>& files) {
#ifdef __linux__
  // syncfs writes every file of the folder's file system in one call, and reports a file
  // whose data could not be written.
  const int folderHandle = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderHandle >= 0) {
    ++syncCount;
    const bool synced = syncfs(folderHandle) == 0;
    close(folderHandle);
    return synced;
  }
#endif
  for (const std::filesystem::path& path : files) {
    const int handle = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (handle < 0) return false;
    ++syncCount;
    const bool synced = fsync(handle) == 0;
    close(handle);
    if (!synced) return false;
  }
  return true;
}

bool RenameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
#ifdef __linux__
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
#endif
  // Where the file system cannot refuse a rename, a new link can: it fails on an existing name.
  if (link(from.c_str(), to.c_str()) != 0) return false;
  unlink(from.c_str());
  return true;
}

void SyncFolder(const std::filesystem::path& folder) {
  const int handle = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (handle < 0) return;
  ++syncCount;
  fsync(handle);
  close(handle);
}

bool RenameDurably(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) return false;
  // The new name lives in the folder, which is synced on its own. The new content is in place
  // whatever the sync does, so a folder that cannot be synced fails nothing.
  SyncFolder(to.has_parent_path() ? to.parent_path() : ".");
  return true;
}

std::filesystem::path UserDataFolder() {
  // A relative XDG_DATA_HOME is invalid and is ignored, as the base-directory rules say.
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data != nullptr && data[0] == '/') return data;
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == '\0') return {};
  return std::filesystem::path(home) / ".local" / "share";
}

#endif

}  // namespace settings
