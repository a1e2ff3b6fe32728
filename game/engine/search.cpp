// The fast search: the plain backtracking's completion without its dead ends.
//
// Propagation and hidden pairs strike the candidates that no completion uses; when that
// settles every cell, the board has one completion and it is the answer. Otherwise the
// counting solver looks for any completion and then, pruning all that come after it in the
// plain order, for one before it; when there is none, as on a puzzle with one
// solution, the completion found is the answer. Otherwise the walk settles the cells in the
// plain order and, for each, takes the first digit in its cycle that still leaves a
// completion, which the counting solver confirms or rules out; a completion found on the way
// witnesses its own digits, so they need no confirmation. Skipping exactly the branches that
// hold no completion keeps the plain order's first completion.
#include "game/engine/search.h"

#include <algorithm>
#include <bit>

#include "game/engine/board.h"
#include "game/engine/grid_words.h"
#include "game/engine/search_pairs.h"

namespace engine {
namespace {

uint64_t cellByCellWalks = 0;

// Steps the plain backtracking gets on a board with several completions before the walk.
constexpr int kPlainSteps = 2000;

bool IsDigit(int d) { return d >= 1 && d <= 9; }

bool SharesUnit(int a, int b) {
  return RowOf(a) == RowOf(b) || ColumnOf(a) == ColumnOf(b) || BoxStartOf(a) == BoxStartOf(b);
}

// Whether digit may stand in cell beside the first count entries of the stack.
bool Fits(const std::vector<Prefilled>& stack, int count, int cell, int digit) {
  if (!IsDigit(digit)) return false;
  for (int i = 0; i < count; ++i) {
    if (stack[i].digit == digit && SharesUnit(stack[i].cell, cell)) return false;
  }
  return true;
}

// How many entries at the bottom of the stack agree with each other.
int ConsistentEntries(const std::vector<Prefilled>& stack) {
  // Digits already in each unit, bit d - 1: rows 0-8, columns 9-17, boxes 18-26.
  std::array<uint16_t, 27> used{};
  int count = 0;
  for (const Prefilled& entry : stack) {
    if (!IsDigit(entry.digit)) break;
    const int k = entry.cell;
    const int row = RowOf(k), column = 9 + ColumnOf(k), box = 18 + row / 3 * 3 + ColumnOf(k) / 3;
    const uint16_t bit = static_cast<uint16_t>(1u << (entry.digit - 1));
    if ((used[row] | used[column] | used[box]) & bit) break;
    used[row] |= bit;
    used[column] |= bit;
    used[box] |= bit;
    ++count;
  }
  return count;
}

int FirstEmptyColumn(const Digits& digits) {
  for (int x = 0; x < 9; ++x) {
    for (int y = 0; y < 9; ++y) {
      if (digits[9 * y + x] == 0) return x;
    }
  }
  return 8;
}

// The digits ranked after digit in the cycle that starts at start, bit d - 1 for digit d.
constexpr uint32_t DigitsAfter(int digit, int start) {
  // In the cycle turned so that start comes first, the ranks above the digit's.
  const int rank = (digit - start + 9) % 9;
  const uint32_t turned = (511u << (rank + 1)) & 511;
  const int shift = start - 1;
  return (turned << shift | turned >> (9 - shift)) & 511;
}

// Strikes from grid every candidate that only completions coming after bound in the plain
// order use; false when no completion before bound is left.
bool KeepBefore(CandidateGrid& grid, const Digits& bound, const StartDigits& start) {
  for (int x = 0; x < 9; ++x) {
    for (int y = 0; y < 9; ++y) {
      const int k = 9 * y + x;
      const int digit = bound[k];
      // While the cells before this one equal the bound, a digit ranked after the bound's
      // here makes the completion come after it.
      const uint32_t allowed = grid.CandidatesOf(k);
      const uint32_t later = allowed & DigitsAfter(digit, start[k]);
      if (later != 0) {
        // Left with the bound's digit alone, the cell takes it in one propagation.
        if ((allowed & ~later) == 1u << (digit - 1)) {
          if (!grid.Place(k, digit)) return false;
          continue;
        }
        for (uint32_t digits = later; digits != 0; digits &= digits - 1) {
          const int d = std::countr_zero(digits) + 1;
          if (grid.Allows(k, d) && !grid.Eliminate(k, d)) return false;
        }
      }
      if (!grid.Allows(k, digit) || !grid.IsSolved(k)) return true;
    }
  }
  return false;
}

// The plain backtracking itself over the empty cells of the fixed digits (which agree with
// each other), given a few steps: on a board with many completions it mostly meets one soon.
// Stores the first completion in completion and returns true when it found it within
// maxSteps; completion is left alone otherwise, since the digits it tried are settled by none.
bool WalkPlainly(const Digits& fixed, const StartDigits& start, int maxSteps,
                 Digits& completion) {
  std::array<int, 81> cells;
  int count = 0;
  for (int x = 0; x < 9; ++x) {
    for (int y = 0; y < 9; ++y) {
      if (fixed[9 * y + x] == 0) cells[count++] = 9 * y + x;
    }
  }
  // Digits used per row, column and box, bit d - 1.
  std::array<uint16_t, 9> rows{}, columns{}, boxes{};
  auto toggle = [&](int k, int digit) {
    const uint16_t bit = static_cast<uint16_t>(1u << (digit - 1));
    rows[RowOf(k)] ^= bit;
    columns[ColumnOf(k)] ^= bit;
    boxes[RowOf(k) / 3 * 3 + ColumnOf(k) / 3] ^= bit;
  };
  Digits grid = fixed;
  for (int k = 0; k < 81; ++k) {
    if (fixed[k] != 0) toggle(k, fixed[k]);
  }
  std::array<int, 81> tried{};
  int depth = 0;
  for (int steps = 0; depth >= 0 && depth < count; ++steps) {
    if (steps == maxSteps) return false;
    const int k = cells[depth];
    if (grid[k] != 0) toggle(k, grid[k]);
    grid[k] = 0;
    const uint16_t used = rows[RowOf(k)] | columns[ColumnOf(k)] | boxes[RowOf(k) / 3 * 3 + ColumnOf(k) / 3];
    while (tried[depth] < 9 && grid[k] == 0) {
      const int digit = (start[k] - 1 + tried[depth]++) % 9 + 1;
      if (!(used >> (digit - 1) & 1)) grid[k] = static_cast<int8_t>(digit);
    }
    if (grid[k] != 0) {
      toggle(k, grid[k]);
      ++depth;
    } else {
      tried[depth--] = 0;
    }
  }
  if (depth != count) return false;
  completion = grid;
  return true;
}

// Fills grid with the first completion, in the plain order, of the board holding the fixed
// digits (which agree with each other). When abandoned, grid holds the cells settled so far.
SearchStatus Walk(const Digits& fixed, const StartDigits& start, SearchMonitor& monitor,
                  Digits& grid) {
  grid = fixed;
  CandidateGrid board;
  if (!board.PlaceAll(fixed) || !StrikePairs(board)) return SearchStatus::NoCompletion;
  // Propagation alone settles most easy puzzles: the board then has this one completion.
  if (board.IsComplete()) {
    const GridWords words = WordsOf(board);
    for (int d = 0; d < 9; ++d) {
      for (int band = 0; band < 3; ++band) {
        for (uint32_t cells = words[d][band]; cells != 0; cells &= cells - 1) {
          grid[27 * band + std::countr_zero(cells)] = static_cast<int8_t>(d + 1);
        }
      }
    }
    return SearchStatus::Completed;
  }
  monitor.SetColumn(FirstEmptyColumn(fixed));
  // Once a completion is found, only those before it matter: mostly there are none (a
  // puzzle with one solution has nothing else), and the one found is the answer.
  Digits witness{};
  int count = CountCompletions(board, 2, start, &witness, monitor, [&](CandidateGrid& node) {
    return KeepBefore(node, witness, start);
  });
  if (monitor.Abandoned()) return SearchStatus::Abandoned;
  if (count == 0) return SearchStatus::NoCompletion;
  if (count > 1 && WalkPlainly(fixed, start, kPlainSteps, grid)) return SearchStatus::Completed;
  if (count > 1) ++cellByCellWalks;

  for (int x = 0; x < 9 && count > 1; ++x) {
    for (int y = 0; y < 9 && count > 1; ++y) {
      const int k = 9 * y + x;
      if (fixed[k] != 0) continue;
      monitor.SetColumn(x);
      int d = start[k];
      for (int tried = 0; tried < 9; ++tried, d = d % 9 + 1) {
        if (!board.Allows(k, d)) continue;
        if (!monitor.Step()) return SearchStatus::Abandoned;
        if (d == witness[k]) {
          board.Place(k, d);
          break;
        }
        CandidateGrid trial = board;
        Digits found{};
        const int completions =
            trial.Place(k, d) ? CountCompletions(trial, 2, start, &found, monitor) : 0;
        if (monitor.Abandoned()) return SearchStatus::Abandoned;
        if (completions > 0) {
          board = trial;
          witness = found;
          count = completions;
          break;
        }
        board.Eliminate(k, d);
      }
      grid[k] = witness[k];
    }
  }
  grid = witness;
  return SearchStatus::Completed;
}

}  // namespace

uint64_t CellByCellWalks() { return cellByCellWalks; }

int CountSolutions(const Digits& puzzle, int limit) {
  for (int8_t digit : puzzle) {
    if (digit < 0 || digit > 9) return 0;
  }
  CandidateGrid grid;
  if (!grid.PlaceAll(puzzle)) return 0;
  StartDigits start;
  start.fill(1);
  SearchMonitor monitor;
  return CountCompletions(grid, limit, start, nullptr, monitor);
}

SearchResult FindFirstCompletion(const std::vector<Prefilled>& stack, const StartDigits& start,
                                 SearchMonitor& monitor) {
  SearchResult result;
  // Runs the walk with the bottom kept entries of the stack on the board, the top one of them
  // revised to another digit unless that is 0; true once the search is over.
  auto walkWith = [&](int kept, int revised) {
    Digits fixed{};
    for (int i = 0; i < kept; ++i) fixed[stack[i].cell] = static_cast<int8_t>(stack[i].digit);
    if (revised != 0) fixed[stack[kept - 1].cell] = static_cast<int8_t>(revised);
    result.keptEntries = kept;
    result.status = Walk(fixed, start, monitor, result.grid);
    return result.status != SearchStatus::NoCompletion;
  };

  // Digits on the board that clash can never be part of a completion: every walk that keeps
  // them all is skipped, and so is every revision of an entry above the lowest clashing one.
  const int size = static_cast<int>(stack.size());
  const int consistent = ConsistentEntries(stack);
  if (consistent == size && walkWith(size, 0)) return result;
  for (int top = std::min(size, consistent + 1); top >= 1; --top) {
    const Prefilled& entry = stack[top - 1];
    if (entry.given) break;
    // The digits after the entry's own in the cycle 1-9, stopping before it comes back.
    for (int step = 1; step <= 9; ++step) {
      int digit = IsDigit(entry.digit) ? (entry.digit - 1 + step) % 9 + 1 : step;
      if (digit == entry.digit) break;
      if (Fits(stack, top - 1, entry.cell, digit) && walkWith(top, digit)) return result;
    }
  }
  result.status = SearchStatus::NoCompletion;
  return result;
}

}  // namespace engine
