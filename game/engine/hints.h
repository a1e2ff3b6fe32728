// Candidate hints, Accept Hints, marking, line highlights, the number bar and the palette.
#pragma once

#include <string>

#include "game/engine/board.h"
#include "game/engine/game.h"

namespace engine {

// The digits 1-9 that no cell of the unit shows as its first character, ascending ("1389").
std::string MissingDigits(const Game& game, const Unit& cells);
// "0" followed by the digits missing from the row, the column and the box of cell k.
std::string HintTextOf(const Game& game, int k);
void ShowAllHints(Game& game);
void NarrowHints(Game& game);
void ClearHintTexts(Game& game);
void SetHintMode(Game& game, int menuId);

// Hint menu commands.
void ShowHints(Game& game);
void HintsOff(Game& game);
void AcceptHints(Game& game);
// A cell focus while hints are shown.
void ShowHintOnFocus(Game& game, int k);

// Gadget clicks: number bar button i (1-10), palette button i (0-8), the "M" toggle and line
// toggle i (0-8 columns, 9-17 rows). Toggles flip their own state.
void SelectNumber(Game& game, int number);
void SelectColor(Game& game, int paletteIndex);
void ToggleMarking(Game& game);
void ToggleLine(Game& game, int line);

}  // namespace engine
