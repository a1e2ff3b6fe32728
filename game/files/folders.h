// The game's folders beside the program and the one-time move of older files into them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/settings/settings_store.h"
#include "game/engine/game.h"

namespace files {

// Makes ProgramFolder the current directory and points MastersFolder and SavesFolder at
// its "Masters" and "Saves" subfolders.
void SetUpFolders(engine::Game& game);
// Reads MoveFiles from the open store, runs the migration when it is 1 (storing the new
// value into the store), and falls back to ProgramFolder for both kinds below 2.
void MigrateOldFiles(engine::Game& game, settings::SettingsStore& store);

struct FolderEntry {
  std::filesystem::path path;
  bool isFile;  // a regular file, or a link to one
};
// The entries of folder in the order the file system lists them; nothing when the folder
// cannot be listed. Taken whole, so that a caller may move files while walking the list.
std::optional<std::vector<FolderEntry>> ListFolder(const std::filesystem::path& folder);

// A folder as the game shows it: its path with a trailing separator.
std::string FolderText(const std::filesystem::path& folder);
// What follows the last "." of a file name, in upper case ("a.SmS" gives "SMS"); empty
// when there is no "." or nothing after it.
std::string UpperExtension(const std::filesystem::path& fileName);

}  // namespace files
