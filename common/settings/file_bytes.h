// Reading a file whole, and telling whether a file may be changed.
#pragma once

#include <cstddef>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>

namespace settings {

// The content of the file up to limit bytes, or nothing when it cannot be opened or read (a
// missing file, a folder, no permission).
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path,
                                         size_t limit = std::numeric_limits<size_t>::max());
// Whether the file exists and can be opened for writing without changing it.
bool IsWritableFile(const std::filesystem::path& path);
// Whether anything at all stands at path; false only when it is certainly absent.
bool PathIsTaken(const std::filesystem::path& path);

}  // namespace settings
