// The fast search behind Solve and Create. It finds the completion that the plain
// backtracking finds, on nothing but the digits already on the board and each cell's start
// digit, and knows nothing of the game or the platform.
//
// The plain backtracking fills the first empty cell in column-major order (x 0-8, and y 0-8
// within each column), tries its digits cyclically from its start digit, and backtracks
// chronologically over a stack holding the digits already on the board beneath its own. So
// among the completions of the board it finds the first when they are ordered by the cells'
// digits, compared cell by cell in column-major order, each cell's digits ranked from its
// start digit. When the board has none, backtracking revises the top digit of the stack
// through the digits after it in the cycle, and empties its cell after the last, then the
// next one down; the first completion found after such a revision is the answer. A given is
// never revised: the board then has no completion.
#pragma once

#include <cstdint>
#include <vector>

#include "game/engine/candidate_grid.h"

namespace engine {

// A digit on the board when the search starts, in the order of the search stack (bottom
// first): the givens, then the player's digits.
struct Prefilled {
  int cell;   // cell index
  int digit;  // 1-9; anything else fits no completion
  bool given;
};

enum class SearchStatus { Completed, NoCompletion, Abandoned };

struct SearchResult {
  SearchStatus status = SearchStatus::NoCompletion;
  // The completion; when abandoned, the cells the search had settled so far (0 elsewhere).
  Digits grid{};
  // How many entries at the bottom of the stack stay on the board, the top one of them
  // possibly revised (grid holds its digit). The cells of the entries above them were
  // emptied and then filled like the board's empty cells.
  int keptEntries = 0;
};

// How many searches since the program started settled the cells one by one, because the
// plain backtracking's first steps did not finish; tests read it to show they reach that path.
uint64_t CellByCellWalks();

// How many solutions a puzzle has (1-9 a given, 0 an empty cell), counted up to limit; 0 for
// givens that clash or lie outside 0-9.
int CountSolutions(const Digits& puzzle, int limit);

SearchResult FindFirstCompletion(const std::vector<Prefilled>& stack, const StartDigits& start,
                                 SearchMonitor& monitor);

}  // namespace engine
