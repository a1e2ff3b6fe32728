// The last step of an atomic write: the finished temporary file takes the target's place.
#pragma once

#include <filesystem>

namespace settings {

// Renames from over to, replacing a file there in one step, with the rename itself on the
// disk before it returns where the system offers that; false when it did not happen.
bool MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace settings
