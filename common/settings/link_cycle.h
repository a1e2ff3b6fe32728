// One open–change–close cycle of the help link file, guarded by the file's advisory lock so
// that the game and the viewer take turns: the lock is held from before the file is read
// until after it has been rewritten.
#pragma once

#include <filesystem>

#include "common/settings/file_lock.h"
#include "common/settings/settings_store.h"

namespace settings {

class LinkCycle {
 public:
  explicit LinkCycle(const std::filesystem::path& linkPath) : lock_(linkPath) {
    store.OpenSettings(linkPath);
  }
  ~LinkCycle() { store.CloseSettings(); }
  LinkCycle(const LinkCycle&) = delete;
  LinkCycle& operator=(const LinkCycle&) = delete;

  SettingsStore store;

 private:
  FileLock lock_;  // taken before the body opens the store, released after it has closed
};

}  // namespace settings
