// Tells a test whether read-only permissions stop this process: an administrator (root) may
// write anything, and some systems ignore a folder's read-only mark.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace testing_support {

// Makes path read-only (a file or a folder) and reports whether that now stops a write:
// opening the file for writing, or creating a file in the folder.
bool MakeReadOnly(const std::filesystem::path& path);
// Gives the owner write permission again, so the test's folder can be removed.
void MakeWritable(const std::filesystem::path& path);

// What RunWithReadOnly returns on Windows where a read-only mark does not stop a write (it
// ignores the mark on folders). On POSIX systems the job runs as a user whom the mark binds;
// where it does not bind all the same, the text says so and fails the test.
inline constexpr std::string_view kStillWritable = "<still writable>";

// Runs job as a user without special rights (RunUnprivileged), with folder and everything in
// it made that user's and path in it made read-only; path is made writable again afterwards.
// Returns the job's text, or kStillWritable.
std::string RunWithReadOnly(const std::filesystem::path& folder, const std::filesystem::path& path,
                            const std::function<std::string()>& job);

}  // namespace testing_support
