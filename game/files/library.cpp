// The one-time copy of the puzzles that come with the game into the player's masters folder.
#include "game/files/library.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "common/settings/atomic_file.h"
#include "common/settings/file_bytes.h"
#include "game/files/folders.h"

namespace files {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kCopiedKey = "Library";
// MoveFiles once the masters have a folder of their own.
constexpr int kMigrationDone = 3;

// Whether two folders are one: the same path, or the same folder reached another way; when
// that cannot be told, they are taken to be.
bool IsSameFolder(const fs::path& a, const fs::path& b) {
  if ((a / "").lexically_normal() == (b / "").lexically_normal()) return true;
  std::error_code error;
  return fs::equivalent(a, b, error) || error;
}

}  // namespace

void CopyLibrary(engine::Game& game, settings::SettingsStore& store) {
  if (game.MoveFiles != kMigrationDone || store.ReadSettingText(kCopiedKey, "") == "1") return;
  const fs::path library = game.ExecutableFolder / "Masters";
  if (IsSameFolder(library, game.MastersFolder)) return;
  const auto entries = ListFolder(library);
  if (!entries) return;
  std::vector<fs::path> missing;
  for (const FolderEntry& entry : *entries) {
    if (!entry.isFile || UpperExtension(entry.path.filename()) != "SMS") continue;
    if (!settings::PathIsTaken(game.MastersFolder / entry.path.filename())) {
      missing.push_back(entry.path);
    }
  }
  // The copies are on the disk when the batch returns, before the key that records them.
  const std::vector<bool> arrived = settings::CopyFilesAtomically(missing, game.MastersFolder);
  if (std::ranges::all_of(arrived, [](bool copied) { return copied; })) {
    store.WriteSettingText(kCopiedKey, "1");
  }
}

}  // namespace files
