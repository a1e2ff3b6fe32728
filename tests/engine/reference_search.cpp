// A plain backtracking search that takes every step literally.
#include "tests/engine/reference_search.h"

#include "game/engine/solver.h"

namespace testing_support {
namespace {

int Next(int digit) { return digit % 9 + 1; }

bool ObeysRules(engine::Board& board) {
  for (engine::Cell& cell : board.cells) {
    const int digit = cell.digit;
    const int k = static_cast<int>(&cell - board.cells.data());
    cell.digit = 0;
    const bool fits = engine::CanPlace(board, k % 9, k / 9, digit);
    cell.digit = digit;
    if (!fits) return false;
  }
  return true;
}

bool FindEmptyCell(const engine::Board& board, int& x, int& y) {
  for (x = 0; x < 9; ++x) {
    for (y = 0; y < 9; ++y) {
      if (board(x, y).digit == 0) return true;
    }
  }
  return false;
}

bool PlaceFirstFitting(engine::Board& board, std::vector<engine::SearchEntry>& stack,
                       const engine::StartDigits& start, int x, int y) {
  int d = start[9 * y + x];
  for (int attempt = 0; attempt < 10; ++attempt, d = Next(d)) {
    if (engine::CanPlace(board, x, y, d)) {
      board(x, y).digit = d;
      board(x, y).master = -d;
      stack.push_back({d, d, x, y, 0});
      return true;
    }
  }
  return false;
}

// Revises the top of the stack, dropping entries that have no digit left; false when a given
// would have to change.
bool Backtrack(engine::Board& board, std::vector<engine::SearchEntry>& stack) {
  while (!stack.empty()) {
    engine::SearchEntry& entry = stack.back();
    if (entry.kind == 2) return false;
    engine::Cell& cell = board(entry.x, entry.y);
    cell.digit = 0;
    for (int d = Next(entry.digit); d != entry.startDigit; d = Next(d)) {
      if (engine::CanPlace(board, entry.x, entry.y, d)) {
        entry.digit = d;
        cell.digit = d;
        return true;
      }
    }
    cell.master = 0;
    stack.pop_back();
  }
  return false;
}

}  // namespace

ReferenceResult ReferenceSolve(engine::Board& board, std::vector<engine::SearchEntry>& stack,
                               const engine::StartDigits& start, uint64_t stepCap) {
  uint64_t steps = 0;
  for (;;) {
    int x, y;
    bool advanced;
    if (FindEmptyCell(board, x, y)) {
      advanced = PlaceFirstFitting(board, stack, start, x, y);
    } else {
      if (ObeysRules(board)) return {ReferenceStatus::Completed, steps};
      advanced = false;
    }
    if (!advanced && !Backtrack(board, stack)) return {ReferenceStatus::NoCompletion, steps};
    if (++steps >= stepCap) return {ReferenceStatus::StepCapReached, steps};
  }
}

}  // namespace testing_support
