// Replaces a file as a whole: the old content stays until every byte of the new one is on disk.
#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string_view>
#include <vector>

namespace settings {

enum class ReplaceOutcome {
  Replaced,
  NoTemporaryFile,  // the folder takes no new file; nothing was touched
  Failed,           // the file may not be changed, or a write, the flush or the rename failed
};

// Writes the new content into the open file; false when a write failed.
using ContentWriter = std::function<bool(std::FILE* file)>;

// Writes bytes to a temporary file in the same folder, flushes it and renames it over path.
// Returns false, removing the temporary file and leaving any old file intact, when a step
// fails. A file that cannot be opened for writing (read-only, a folder) is never replaced.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);
// WriteFileAtomically with the reason of a failure.
ReplaceOutcome ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);
// The same with content produced by write.
ReplaceOutcome ReplaceFileWith(const std::filesystem::path& path, const ContentWriter& write);
// Replaces target with a copy of the regular file source, read piece by piece whatever its
// size; false, leaving any old target intact, when the copy is not complete.
bool CopyFileAtomically(const std::filesystem::path& source, const std::filesystem::path& target);
// Copies each regular file of sources into folder under its own name, never over a name that
// is taken (the player's own file, a link, a folder). All copies are written to temporary
// files first, put on the disk together and only then renamed, so that a power cut leaves no
// partial file under a final name, at a cost in disk syncs that does not grow with the number
// of files where the system allows. Returns for each source whether its copy arrived; a copy
// that did not leaves no file behind.
std::vector<bool> CopyFilesAtomically(const std::vector<std::filesystem::path>& sources,
                                      const std::filesystem::path& folder);

// Rewrites an existing file from its start and cuts it at the end of bytes. Not atomic: only
// for a file that may be changed in a folder that takes no temporary file.
bool RewriteFileInPlace(const std::filesystem::path& path, std::string_view bytes);

// Removes the temporary files that writes cut short (the program killed, a power cut) left
// in folder: only names of the temporary pattern, and only those untouched for a minute, so
// that a write still running in another process keeps its file.
void RemoveLeftoverTemporaryFiles(const std::filesystem::path& folder);

}  // namespace settings
