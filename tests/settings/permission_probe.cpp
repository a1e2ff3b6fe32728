// Read-only permissions for tests, with a check that they are enforced.
#include "tests/settings/permission_probe.h"

#include <fstream>

#include "tests/support/unprivileged.h"

namespace testing_support {

namespace fs = std::filesystem;

bool MakeReadOnly(const fs::path& path) {
  std::error_code error;
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove, error);
  if (error) return false;
  if (fs::is_directory(path)) {
    const fs::path probe = path / "probe";
    const bool created = std::ofstream(probe).is_open();
    fs::remove(probe, error);
    return !created;
  }
  return !std::fstream(path, std::ios::in | std::ios::out).is_open();
}

void MakeWritable(const fs::path& path) {
  std::error_code error;
  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, error);
}

std::string RunWithReadOnly(const fs::path& folder, const fs::path& path,
                            const std::function<std::string()>& job) {
  GiveToUnprivilegedUser(folder);
  const std::string text = RunUnprivileged([&] {
    if (MakeReadOnly(path)) return job();
#ifdef _WIN32
    return std::string(kStillWritable);
#else
    return std::string("<the read-only mark does not stop this user>");  // fails the test
#endif
  });
  MakeWritable(path);
  return text;
}

}  // namespace testing_support
