// Runs part of a test as a user without special rights, so that read-only permissions bind
// even when the suite runs as root (who may write any folder).
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace testing_support {

// Runs job in a child process, as user and group 65534 when this process is root, else as
// this process's own user, and returns the text job returned ("<job failed>" when the child
// did not end normally). The child shares no state with the test: report through the text.
std::string RunUnprivileged(const std::function<std::string()>& job);

// Makes folder and everything in it the unprivileged user's, so that a job may write there.
void GiveToUnprivilegedUser(const std::filesystem::path& folder);

// Takes every write permission from folder; the job cannot create files in it.
void MakeFolderReadOnly(const std::filesystem::path& folder);

}  // namespace testing_support
