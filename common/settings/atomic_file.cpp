// Atomic replacement of whole files through a temporary sibling, the in-place fallback, and
// the clean-up of temporary files left by writes that never finished.
#include "common/settings/atomic_file.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <random>
#include <string>

#include "common/settings/file_bytes.h"
#include "common/settings/file_platform.h"
#include "common/settings/path_text.h"

namespace settings {
namespace {

namespace fs = std::filesystem;

// Temporary names are ".deradu-" followed by eight hexadecimal digits and ".tmp": short, so
// that a target name of any length the file system allows still has room beside it, and
// ending in ".tmp", so that a folder listing by the target's own extension never sees a
// half-written file.
constexpr std::string_view kTemporaryPrefix = ".deradu-";
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr size_t kTemporaryDigits = 8;

// A write takes well under a second; a temporary file older than this belongs to no write.
constexpr auto kLeftoverAge = std::chrono::minutes(1);

bool IsTemporaryName(std::string_view name) {
  if (name.size() != kTemporaryPrefix.size() + kTemporaryDigits + kTemporarySuffix.size() ||
      !name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix)) {
    return false;
  }
  const std::string_view digits = name.substr(kTemporaryPrefix.size(), kTemporaryDigits);
  return digits.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

// Runs write on the file, flushes it to the disk and closes it, which is closed either way.
bool WriteAndClose(std::FILE* file, const ContentWriter& write) {
  bool written = write(file);
  written = written && SyncFile(file);
  return std::fclose(file) == 0 && written;
}

ContentWriter BytesWriter(std::string_view bytes) {
  return [bytes](std::FILE* file) {
    return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  };
}

// A fresh name in target's folder.
fs::path TemporaryNameFor(const fs::path& target) {
  static std::atomic<uint32_t> counter{0};
  static const uint32_t seed = std::random_device{}();
  char digits[kTemporaryDigits + 1];
  std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(seed + counter++));
  return target.parent_path() /
         (std::string(kTemporaryPrefix) + digits + std::string(kTemporarySuffix));
}

// The file that a write to path changes: the target of a symbolic link, else path itself.
fs::path ResolveLinks(const fs::path& path) {
  std::error_code error;
  if (!fs::is_symlink(path, error)) return path;
  fs::path target = fs::weakly_canonical(path, error);
  return error ? path : target;
}

}  // namespace

ReplaceOutcome ReplaceFileWith(const fs::path& path, const ContentWriter& write) {
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

  if (!WriteAndClose(file, write) || !RenameDurably(temporary, target)) {
    fs::remove(temporary, error);
    return ReplaceOutcome::Failed;
  }
  return ReplaceOutcome::Replaced;
}

ReplaceOutcome ReplaceFileAtomically(const fs::path& path, std::string_view bytes) {
  return ReplaceFileWith(path, BytesWriter(bytes));
}

bool WriteFileAtomically(const fs::path& path, std::string_view bytes) {
  return ReplaceFileAtomically(path, bytes) == ReplaceOutcome::Replaced;
}

bool CopyFileAtomically(const fs::path& source, const fs::path& target) {
  std::error_code error;
  if (!fs::is_regular_file(source, error)) return false;
  std::FILE* in = OpenFile(source, "rb");
  if (in == nullptr) return false;
  const ReplaceOutcome outcome = ReplaceFileWith(target, [in](std::FILE* out) {
    char buffer[16384];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
      if (std::fwrite(buffer, 1, count, out) != count) return false;
    }
    return std::ferror(in) == 0;
  });
  std::fclose(in);
  return outcome == ReplaceOutcome::Replaced;
}

bool RewriteFileInPlace(const fs::path& path, std::string_view bytes) {
  std::FILE* file = OpenFile(path, "r+b");
  if (file == nullptr || !WriteAndClose(file, BytesWriter(bytes))) return false;
  std::error_code error;
  fs::resize_file(path, bytes.size(), error);
  return !error;
}

void RemoveLeftoverTemporaryFiles(const fs::path& folder) {
  std::error_code error;
  fs::directory_iterator it(folder, error);
  const auto now = fs::file_time_type::clock::now();
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    std::error_code fileError;
    if (!IsTemporaryName(Utf8FromPath(it->path().filename())) ||
        !it->is_regular_file(fileError) || it->is_symlink(fileError)) {
      continue;
    }
    const auto written = it->last_write_time(fileError);
    if (!fileError && now - written > kLeftoverAge) fs::remove(it->path(), fileError);
  }
}

}  // namespace settings
