// A plain backtracking search that takes every step literally.
#include "tests/engine/reference_search.h"

#include <bit>

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

namespace {

struct PlainCounter {
  engine::Digits grid;
  int limit;
  int found = 0;

  uint32_t Allowed(int k) const {
    uint32_t used = 0;
    const int row = k / 9, column = k % 9, top = row / 3 * 3, left = column / 3 * 3;
    for (int i = 0; i < 9; ++i) {
      used |= 1u << grid[9 * row + i] | 1u << grid[9 * i + column] |
              1u << grid[9 * (top + i / 3) + left + i % 3];
    }
    return ~used & 0x3FE;  // bits 1-9
  }

  void Count() {
    int best = -1;
    uint32_t bestDigits = 0;
    for (int k = 0; k < 81; ++k) {
      if (grid[k] != 0) continue;
      const uint32_t digits = Allowed(k);
      if (best < 0 || std::popcount(digits) < std::popcount(bestDigits)) {
        best = k;
        bestDigits = digits;
      }
    }
    if (best < 0) {
      ++found;
      return;
    }
    for (int d = 1; d <= 9 && found < limit; ++d) {
      if (!((bestDigits >> d) & 1)) continue;
      grid[best] = static_cast<int8_t>(d);
      Count();
    }
    grid[best] = 0;
  }
};

}  // namespace

int CountSolutionsPlainly(const engine::Digits& puzzle, int limit) {
  PlainCounter counter{{}, limit};
  for (int k = 0; k < 81; ++k) {
    const int d = puzzle[k];
    if (d < 0 || d > 9) return 0;
    if (d != 0 && !((counter.Allowed(k) >> d) & 1)) return 0;
    counter.grid[k] = static_cast<int8_t>(d);
  }
  counter.Count();
  return counter.found;
}

}  // namespace testing_support
