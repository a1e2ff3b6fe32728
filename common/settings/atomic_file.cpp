// Atomic replacement of whole files through a temporary sibling, and the in-place fallback.
#include "common/settings/atomic_file.h"

#include <atomic>
#include <cstdio>
#include <random>
#include <string>

#include "common/settings/file_bytes.h"
#include "common/settings/file_platform.h"
#include "common/settings/file_replace.h"

namespace settings {
namespace {

namespace fs = std::filesystem;

// Writes every byte, flushes to the disk and closes the file, which is closed either way.
bool WriteAndClose(std::FILE* file, std::string_view bytes) {
  bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  written = written && SyncFile(file);
  return std::fclose(file) == 0 && written;
}

// A fresh name beside target. It ends in ".tmp", so a folder listing by the target's own
// extension never sees a half-written file.
fs::path TemporaryNameFor(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  static const unsigned seed = std::random_device{}();
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%08x%04x.tmp", seed, counter++ & 0xFFFFu);
  fs::path name = target;
  name += suffix;
  return name;
}

// The file that a write to path changes: the target of a symbolic link, else path itself.
fs::path ResolveLinks(const fs::path& path) {
  std::error_code error;
  if (!fs::is_symlink(path, error)) return path;
  fs::path target = fs::weakly_canonical(path, error);
  return error ? path : target;
}

}  // namespace

ReplaceOutcome ReplaceFileAtomically(const fs::path& path, std::string_view bytes) {
  const fs::path target = ResolveLinks(path);
  std::error_code error;
  const fs::file_status old = fs::status(target, error);
  const bool replacing = fs::exists(old);
  if (replacing && !IsWritableFile(target)) return ReplaceOutcome::Failed;

  fs::path temporary;
  std::FILE* file = nullptr;
  for (int attempt = 0; attempt < 4 && file == nullptr; ++attempt) {
    temporary = TemporaryNameFor(target);
    file = CreateNewFile(temporary);
  }
  if (file == nullptr) return ReplaceOutcome::NoTemporaryFile;
  // The new file keeps the old one's permissions; where that is not allowed it keeps the
  // defaults, which is no reason to lose the write.
  if (replacing) fs::permissions(temporary, old.permissions(), error);

  if (!WriteAndClose(file, bytes) || !MoveFileOver(temporary, target)) {
    fs::remove(temporary, error);
    return ReplaceOutcome::Failed;
  }
  return ReplaceOutcome::Replaced;
}

bool WriteFileAtomically(const fs::path& path, std::string_view bytes) {
  return ReplaceFileAtomically(path, bytes) == ReplaceOutcome::Replaced;
}

bool RewriteFileInPlace(const fs::path& path, std::string_view bytes) {
  std::FILE* file = OpenFile(path, "r+b");
  if (file == nullptr || !WriteAndClose(file, bytes)) return false;
  std::error_code error;
  fs::resize_file(path, bytes.size(), error);
  return !error;
}

}  // namespace settings
