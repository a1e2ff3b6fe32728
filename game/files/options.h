// The colour and sound options: their menu commands, the sound start-up and the settings
// they store.
#pragma once

#include "common/settings/settings_store.h"
#include "game/engine/game.h"

namespace files {

// Colors menu items 7-11 and Hint > Color (38): colour chooser, store, RepaintCells.
void ColorCommand(engine::Game& game, int menuId);
// Sound menu items 20-26.
void SoundCommand(engine::Game& game, int menuId);
// Start-up: reads Sound, Custom, WinSound and WinCustom from the open store, sets the Sound
// menu's check marks and loads the chosen custom sounds.
void ReadSoundSettings(engine::Game& game, const settings::SettingsStore& store);
// Start-up: reads the six colours in their order with their defaults.
void ReadColorSettings(engine::Game& game, const settings::SettingsStore& store);

}  // namespace files
