// Reading a file whole, and telling whether a file may be changed.
#pragma once

#include <cstddef>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>

namespace settings {

// The most the programs read of a settings, link or puzzle file. Each holds a few hundred
// bytes; anything larger is no file of theirs, and reading it whole would cost the memory and
// time of its size.
inline constexpr size_t kLargestTextFile = size_t{1} << 20;

// The content of the file up to limit bytes, or nothing when it cannot be opened or read (a
// missing file, a folder, no permission).
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path,
                                         size_t limit = std::numeric_limits<size_t>::max());
// Whether the file exists and can be opened for writing without changing it.
bool IsWritableFile(const std::filesystem::path& path);
// Whether anything at all stands at path; false only when it is certainly absent.
bool PathIsTaken(const std::filesystem::path& path);

}  // namespace settings
