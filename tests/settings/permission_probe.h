// Tells a test whether read-only permissions stop this process: an administrator (root) may
// write anything, and some systems ignore a folder's read-only mark.
#pragma once

#include <filesystem>

namespace testing_support {

// Makes path read-only (a file or a folder) and reports whether that now stops a write:
// opening the file for writing, or creating a file in the folder.
bool MakeReadOnly(const std::filesystem::path& path);
// Gives the owner write permission again, so the test's folder can be removed.
void MakeWritable(const std::filesystem::path& path);

}  // namespace testing_support
