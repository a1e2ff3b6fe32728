// Playing by hand: entering digits with the rule check, the undo history and its grouped
// commands, custom-puzzle entry, the digit count and the flashing of a finished board.
#pragma once

#include <optional>
#include <string_view>

#include "game/engine/game.h"

namespace engine {

// Cell events while HintMode is Off: a focus enters SelectedNumber, a change enters the
// typed digit (or clears the cell when the text was emptied).
void EnterSelectedNumber(Game& game, int k);
void EnterTypedText(Game& game, int k, std::string_view typedText);

// Puts d (1-9) into cell k, or clears it when d is 10.
void EnterDigit(Game& game, int k, int d);
// True when no other cell of k's row, column or box shows the value d.
bool IsLegalEntry(const Game& game, int k, int d);
// The first of k's row, column and box in which another cell shows the value d; none when
// d may stand in k.
std::optional<UnitPlace> UnitHolding(const Game& game, int k, int d);
// Recounts the digits, stars the number-bar captions of complete digits and detects a full
// board (sets Finished and plays the win sound).
void CountDigits(Game& game);
void ErrorSound(Game& game);
void PlayWinSound(Game& game);

// Menu commands; each refuses with a message while hints are shown.
void Undo(Game& game);
void DeleteNumber(Game& game);
void DeleteColor(Game& game);
void ResetGame(Game& game);

// Shows the Board as a new game after a load or a creation: the cells, Enter mode and
// Finished cleared, the digits counted.
void ShowNewBoard(Game& game);

// The Enter command once its guard has let it go on: an empty board for a custom puzzle.
void BeginEnterMode(Game& game);

// Lights the cells of the next digit once a second while Finished is set.
void FlashStep(Game& game);

}  // namespace engine
