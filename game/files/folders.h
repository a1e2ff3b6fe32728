// The game's folders beside the program and the one-time move of older files into them.
#pragma once

#include "common/settings/settings_store.h"
#include "game/engine/game.h"

namespace files {

// Makes ProgramFolder the current directory and points MastersFolder and SavesFolder at
// its "Masters" and "Saves" subfolders.
void SetUpFolders(engine::Game& game);
// Reads MoveFiles from the open store, runs the migration when it is 1 (storing the new
// value into the store), and falls back to ProgramFolder for both kinds below 2.
void MigrateOldFiles(engine::Game& game, settings::SettingsStore& store);

}  // namespace files
