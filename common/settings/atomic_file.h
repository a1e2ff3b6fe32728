// Replaces a file as a whole: the old content stays until every byte of the new one is on disk.
#pragma once

#include <filesystem>
#include <string_view>

namespace settings {

// Writes bytes to a temporary file in the same folder, flushes it and renames it over path.
// Returns false, removing the temporary file and leaving any old file intact, when a step fails.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace settings
