// Replaces a file as a whole: the old content stays until every byte of the new one is on disk.
#pragma once

#include <filesystem>
#include <string_view>

namespace settings {

enum class ReplaceOutcome {
  Replaced,
  NoTemporaryFile,  // the folder takes no new file; nothing was touched
  Failed,           // the file may not be changed, or a write, the flush or the rename failed
};

// Writes bytes to a temporary file in the same folder, flushes it and renames it over path.
// Returns false, removing the temporary file and leaving any old file intact, when a step
// fails. A file that cannot be opened for writing (read-only, a folder) is never replaced.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);
// WriteFileAtomically with the reason of a failure.
ReplaceOutcome ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Rewrites an existing file from its start and cuts it at the end of bytes. Not atomic: only
// for a file that may be changed in a folder that takes no temporary file.
bool RewriteFileInPlace(const std::filesystem::path& path, std::string_view bytes);

}  // namespace settings
