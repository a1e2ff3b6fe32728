// The copy of the puzzles that come with the game into the player's masters folder, once per
// version of the library.
#include "game/files/library.h"

#include <algorithm>
#include <array>
#include <set>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "common/settings/atomic_file.h"
#include "common/settings/file_bytes.h"
#include "common/settings/number_text.h"
#include "common/settings/path_text.h"
#include "game/files/folders.h"

namespace files {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kCopiedKey = "Library";
// MoveFiles once the masters have a folder of their own.
constexpr int kMigrationDone = 3;

// A level of the library: its number and word ("1 Gentle"), and how many puzzles it held,
// named "1 Gentle 01.sms" onwards.
struct Level {
  std::string_view name;
  int puzzles;
};

// What each earlier version of the library offered, version 1 first. The library beside the
// programs is the version after the last of these: when it changes, the levels it offered
// are added here as the next row.
constexpr Level kVersion1[] = {{"1 Gentle", 50}, {"2 Moderate", 50}, {"3 Tough", 50},
                               {"4 Fiendish", 50}};
constexpr std::array<std::span<const Level>, 1> kEarlierVersions = {kVersion1};
constexpr int kShippedVersion = static_cast<int>(kEarlierVersions.size()) + 1;

// The file names that the versions up to and including version offered, none for 0.
std::set<std::string> OfferedUpTo(int version) {
  std::set<std::string> names;
  for (int v = 1; v <= version; ++v) {
    for (const Level& level : kEarlierVersions[v - 1]) {
      for (int n = 1; n <= level.puzzles; ++n) {
        const std::string number = (n < 10 ? "0" : "") + settings::FormatNumber(n);
        names.insert(std::string(level.name) + " " + number + ".sms");
      }
    }
  }
  return names;
}

// Whether two folders are one: the same path, or the same folder reached another way; when
// that cannot be told, they are taken to be.
bool IsSameFolder(const fs::path& a, const fs::path& b) {
  if ((a / "").lexically_normal() == (b / "").lexically_normal()) return true;
  std::error_code error;
  return fs::equivalent(a, b, error) || error;
}

}  // namespace

void CopyLibrary(engine::Game& game, settings::SettingsStore& store) {
  if (game.MoveFiles != kMigrationDone) return;
  // A missing, empty or hand-spoilt record counts as no copy yet; a later version than this
  // one (the player went back to an older program) leaves everything as it is.
  const int copied = std::max(settings::ParseNumber(store.ReadSettingText(kCopiedKey, "")), 0);
  if (copied >= kShippedVersion) return;
  const fs::path library = game.ExecutableFolder / "Masters";
  if (IsSameFolder(library, game.MastersFolder)) return;
  const auto entries = ListFolder(library);
  if (!entries) return;
  const std::set<std::string> offered = OfferedUpTo(copied);
  std::vector<fs::path> missing;
  for (const FolderEntry& entry : *entries) {
    const fs::path name = entry.path.filename();
    if (!entry.isFile || UpperExtension(name) != "SMS") continue;
    if (offered.contains(settings::Utf8FromPath(name))) continue;
    if (!settings::PathIsTaken(game.MastersFolder / name)) missing.push_back(entry.path);
  }
  // The copies are on the disk when the batch returns, before the key that records them.
  const std::vector<bool> arrived = settings::CopyFilesAtomically(missing, game.MastersFolder);
  if (std::ranges::all_of(arrived, [](bool one) { return one; })) {
    store.WriteSettingText(kCopiedKey, settings::FormatNumber(kShippedVersion));
  }
}

}  // namespace files
