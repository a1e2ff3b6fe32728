// The puzzles that come with the game, in the "Masters" folder beside the programs, and their
// copy into the player's own masters folder when the game keeps its files apart from them.
#pragma once

#include "common/settings/settings_store.h"
#include "game/engine/game.h"

namespace files {

// Copies each master (*.sms) of the executable folder's "Masters" into MastersFolder, once:
// the open store's key Library records a copy in which every file arrived, so that a
// library file the player deletes later stays deleted. A file of the same name already in
// MastersFolder is never replaced. Nothing is copied while the masters live in the data
// folder itself (the migration declined or failed: they would look like old files there),
// nor when both are one folder, as in a portable program folder.
void CopyLibrary(engine::Game& game, settings::SettingsStore& store);

}  // namespace files
