// The backtracking search that completes the Board, with its progress window.
#pragma once

#include "game/engine/board.h"
#include "game/engine/game.h"

namespace engine {

// True when Board(x, y) is empty and d stands nowhere in column x, row y or their box.
bool CanPlace(const Board& board, int x, int y, int d);
// Rebuilds the search stack from the Board: givens first, the player's digits above them.
void LoadSearchStack(Game& game);
// Fills every empty cell of the Board; false when no completion keeps every given in place,
// or when the player closed the progress window. Touches only the Board and the stack.
bool SolvePuzzle(Game& game);
// The Solve command once its guard has let it go on.
void RunSolve(Game& game);

}  // namespace engine
