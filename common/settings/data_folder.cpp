// The choice between a portable folder and the user's own data folder.
#include "common/settings/data_folder.h"

#include <random>
#include <string>
#include <system_error>

#include "common/settings/file_platform.h"

namespace settings {

namespace fs = std::filesystem;

bool FolderIsWritable(const fs::path& folder) {
  std::random_device random;
  // A name that is taken already says nothing; a few fresh names settle it.
  for (int attempt = 0; attempt < 3; ++attempt) {
    const fs::path probe = folder / (".deradu-write-test-" + std::to_string(random()));
    if (std::FILE* file = CreateNewFile(probe)) {
      std::fclose(file);
      std::error_code ignored;
      fs::remove(probe, ignored);
      return true;
    }
    std::error_code error;
    if (!fs::exists(probe, error)) return false;
  }
  return false;
}

fs::path DataFolder(const fs::path& programFolder) {
  if (FolderIsWritable(programFolder)) return programFolder;
  const fs::path userFolder = UserDataFolder();
  if (userFolder.empty()) return programFolder;
  const fs::path folder = userFolder / "deradu";
  std::error_code ignored;
  fs::create_directories(folder, ignored);
  return folder;
}

}  // namespace settings
