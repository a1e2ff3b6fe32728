// Copying between the cell gadgets and the Board, and the clear and repaint routines.
#pragma once

#include <cstdint>
#include <string_view>

#include "game/engine/game.h"

namespace engine {

// The numeric value of a cell's text (0 for the empty text; a hint text such as "0357" is 357).
int32_t CellValue(const Game& game, int k);
// A hint text starts with "0" or is longer than one character; no placed digit looks so.
bool IsHintText(std::string_view text);

// Copies the 81 cells into the Board and normalises their colours and tags. Outside Enter
// mode a black digit is a given; in Enter mode every digit becomes one. Hint texts read as
// empty cells.
void ReadBoardFromCells(Game& game, bool enterMode);
// Copies the Board into the cells: givens black on MasterColor, player's digits in their
// colour on NumberColor.
void ShowBoard(Game& game);
// Empties the Board and the search stack.
void ClearBoard(Game& game);
// Empties every cell (DefColor, black text, tag 0), raises the 18 line toggles and empties
// the undo history.
void ClearCells(Game& game);
// Recomputes the background of every cell whose value is above 0.
void RepaintCells(Game& game);

}  // namespace engine
