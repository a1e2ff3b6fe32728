// Whole-file system calls for Windows and for POSIX systems.
#include "common/settings/file_platform.h"

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

bool SyncFile(std::FILE* file) { return std::fflush(file) == 0 && _commit(_fileno(file)) == 0; }

// A target that another program holds open without sharing its deletion (a virus scanner, an
// indexer, the other program reading it) refuses the rename for a moment; it is tried again.
bool RenameDurably(const std::filesystem::path& from, const std::filesystem::path& to) {
  constexpr int kAttempts = 20;
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return true;
    }
    const DWORD error = GetLastError();
    const bool momentary = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
                           error == ERROR_LOCK_VIOLATION;
    if (attempt == kAttempts || !momentary) return false;
    Sleep(10);
  }
}

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

bool SyncFile(std::FILE* file) { return std::fflush(file) == 0 && fsync(fileno(file)) == 0; }

bool RenameDurably(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) return false;
  // The new name lives in the folder, which is synced on its own. The new content is in place
  // whatever the sync does, so a folder that cannot be synced fails nothing.
  const std::filesystem::path folder = to.has_parent_path() ? to.parent_path() : ".";
  const int handle = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (handle >= 0) {
    fsync(handle);
    close(handle);
  }
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
