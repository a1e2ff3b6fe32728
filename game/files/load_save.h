// The file commands New, Load and Save, the save question that guards every command which
// would discard the game, and the choice of the puzzle shown at start-up.
#pragma once

#include <string_view>

#include "game/engine/game.h"

namespace files {

// "0": the saved-game requester; "1": the master requester; "2" to "999": numbered master;
// a longer bare name: that file in MastersFolder (plain load). 1 on success, 0 otherwise.
int LoadGame(engine::Game& game, std::string_view argument);
// The save requester for a master file (master != 0) or a saved game; 1 on success. A
// failed write is shown in an error box and gives 0, as a cancel does.
int SaveGame(engine::Game& game, bool master);
// "Do you wish to save this game?"; 1 when the caller may discard the game.
int PromptToSave(engine::Game& game, bool master);
// The guard of every board-replacing command: true when the command may go on.
bool Guard(engine::Game& game);

// Menu commands; New and Load run the guard themselves, Save has none.
void NewCommand(engine::Game& game);
void LoadCommand(engine::Game& game);
void SaveCommand(engine::Game& game);

// Run once at start-up after the folders and LastSave are known.
void ChooseStartupPuzzle(engine::Game& game);

}  // namespace files
