// Whole-file system calls for Windows and for POSIX systems.
#include "common/settings/file_platform.h"

#include <string>

#ifdef _WIN32
#include <io.h>
#else
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

bool SyncFile(std::FILE* file) { return std::fflush(file) == 0 && _commit(_fileno(file)) == 0; }

#else

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

bool SyncFile(std::FILE* file) { return std::fflush(file) == 0 && fsync(fileno(file)) == 0; }

#endif

}  // namespace settings
