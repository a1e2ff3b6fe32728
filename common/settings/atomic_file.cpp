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

// Runs write on the file and closes it, which is closed either way; with sync, the data is
// put on the disk before the file is closed.
bool WriteAndClose(std::FILE* file, const ContentWriter& write, bool sync) {
  bool written = write(file);
  written = written && (!sync || SyncFile(file));
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

struct TemporaryFile {
  fs::path path;
  std::FILE* file = nullptr;  // null when the folder takes no new file
};

// A new file of a fresh temporary name beside target, open for writing.
TemporaryFile CreateTemporaryFileFor(const fs::path& target) {
  TemporaryFile temporary;
  for (int attempt = 0; attempt < 4 && temporary.file == nullptr; ++attempt) {
    temporary.path = TemporaryNameFor(target);
    temporary.file = CreateNewFile(temporary.path);
  }
  return temporary;
}

// Opens source for reading when it is a regular file; null otherwise.
std::FILE* OpenRegularFile(const fs::path& source) {
  std::error_code error;
  return fs::is_regular_file(source, error) ? OpenFile(source, "rb") : nullptr;
}

// Writes the rest of in, read piece by piece whatever its size.
ContentWriter CopyOf(std::FILE* in) {
  return [in](std::FILE* out) {
    char buffer[16384];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
      if (std::fwrite(buffer, 1, count, out) != count) return false;
    }
    return std::ferror(in) == 0;
  };
}

// Copies source into a new temporary file beside target, not yet put on the disk; returns
// its path, or an empty path, leaving no file, when the copy is not complete.
fs::path WriteTemporaryCopy(const fs::path& source, const fs::path& target) {
  std::FILE* in = OpenRegularFile(source);
  if (in == nullptr) return {};
  const TemporaryFile temporary = CreateTemporaryFileFor(target);
  const bool written =
      temporary.file != nullptr && WriteAndClose(temporary.file, CopyOf(in), false);
  std::fclose(in);
  if (written) return temporary.path;
  std::error_code error;
  if (temporary.file != nullptr) fs::remove(temporary.path, error);
  return {};
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

  const TemporaryFile temporary = CreateTemporaryFileFor(target);
  if (temporary.file == nullptr) return ReplaceOutcome::NoTemporaryFile;
  // The new file keeps the old one's permissions; where that is not allowed it keeps the
  // defaults, which is no reason to lose the write.
  if (replacing) fs::permissions(temporary.path, old.permissions(), error);

  if (!WriteAndClose(temporary.file, write, true) || !RenameDurably(temporary.path, target)) {
    fs::remove(temporary.path, error);
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
  std::FILE* in = OpenRegularFile(source);
  if (in == nullptr) return false;
  const ReplaceOutcome outcome = ReplaceFileWith(target, CopyOf(in));
  std::fclose(in);
  return outcome == ReplaceOutcome::Replaced;
}

std::vector<bool> CopyFilesAtomically(const std::vector<fs::path>& sources,
                                      const fs::path& folder) {
  // Every copy's data goes to the disk in one step before any copy takes its name; the new
  // names then go to the disk in one more.
  std::vector<fs::path> written;
  std::vector<fs::path> temporaries;
  for (const fs::path& source : sources) {
    written.push_back(WriteTemporaryCopy(source, folder / source.filename()));
    if (!written.back().empty()) temporaries.push_back(written.back());
  }
  std::vector<bool> arrived(sources.size(), false);
  if (temporaries.empty()) return arrived;
  const fs::path syncedFolder = folder.empty() ? fs::path(".") : folder;
  const bool synced = SyncFilesInFolder(syncedFolder, temporaries);
  std::error_code error;
  for (size_t i = 0; i < sources.size(); ++i) {
    if (written[i].empty()) continue;
    arrived[i] = synced && RenameWithoutReplacing(written[i], folder / sources[i].filename());
    if (!arrived[i]) fs::remove(written[i], error);
  }
  if (synced) SyncFolder(syncedFolder);
  return arrived;
}

bool RewriteFileInPlace(const fs::path& path, std::string_view bytes) {
  std::FILE* file = OpenFile(path, "r+b");
  if (file == nullptr || !WriteAndClose(file, BytesWriter(bytes), true)) return false;
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
