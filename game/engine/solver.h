// The backtracking search that completes the Board, with its progress window.
#pragma once

#include <vector>

#include "game/engine/board.h"
#include "game/engine/game.h"

namespace engine {

// True when Board(x, y) is empty and d stands nowhere in column x, row y or their box.
bool CanPlace(const Board& board, int x, int y, int d);
// The search stack of a board: its givens first, in row-major order, then the player's
// digits in row-major order; each entry's start digit is its digit.
std::vector<SearchEntry> SearchStackOf(const Board& board);
// Rebuilds the search stack from the Board: givens first, the player's digits above them.
void LoadSearchStack(Game& game);
// Fills every empty cell of the Board; false when no completion keeps every given in place
// (the Board is then unchanged), or when the player closed the progress window (the Board
// then holds what the search had settled). Touches only the Board and the stack.
bool SolvePuzzle(Game& game);
// The Solve command once its guard has let it go on.
void RunSolve(Game& game);

}  // namespace engine
