// A complete grid made a puzzle with one solution.
#include "game/engine/puzzle_from_grid.h"

#include "game/engine/search.h"

namespace engine {

void EmptyDrawnCells(Board& board, Platform& platform, int maxDraw, int64_t threshold) {
  Digits puzzle;
  for (int k = 0; k < kCellCount; ++k) puzzle[k] = static_cast<int8_t>(board.cells[k].digit);
  const bool solvable = CountSolutions(puzzle, 1) == 1;
  for (int k = 0; k < kCellCount; ++k) {
    // Every cell takes its draw, emptied or not, so the random stream is the same either way.
    if (platform.Random(maxDraw) <= threshold) continue;
    if (solvable) {
      const int8_t digit = puzzle[k];
      puzzle[k] = 0;
      if (CountSolutions(puzzle, 2) != 1) {
        puzzle[k] = digit;
        continue;
      }
    }
    board.cells[k].digit = 0;
    board.cells[k].master = 0;
  }
}

}  // namespace engine
