// The puzzles that come with the game, in the "Masters" folder beside the programs, and their
// copy into the player's own masters folder when the game keeps its files apart from them.
#pragma once

#include "common/settings/settings_store.h"
#include "game/engine/game.h"

namespace files {

// Copies the masters (*.sms) of the executable folder's "Masters" into MastersFolder that the
// player has not been offered yet, once per version of the library: the open store's key
// Library records the version of the last copy in which every file arrived. The first copy
// takes every master; an upgrade from an earlier version takes only the names that version
// did not offer, so that a puzzle the player deleted stays deleted. A file of the same name
// already in MastersFolder is never replaced, and nothing there is renamed. Nothing is copied
// while the masters live in the data folder itself (the migration declined or failed: they
// would look like old files there), nor when both are one folder, as in a portable program
// folder.
void CopyLibrary(engine::Game& game, settings::SettingsStore& store);

}  // namespace files
