// The fast search: the plain backtracking's completion without its dead ends.
//
// The walk settles the cells in the plain order and, for each, takes the first digit in its
// cycle that still leaves a completion, which the counting solver confirms or rules out. A
// completion found on the way witnesses its own digits, so they need no confirmation, and
// once the board left has a single completion, that completion is the answer. Skipping
// exactly the branches that hold no completion keeps the plain order's first completion.
#include "game/engine/search.h"

#include <algorithm>

#include "game/engine/board.h"

namespace engine {
namespace {

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
  int count = 0;
  while (count < static_cast<int>(stack.size()) &&
         Fits(stack, count, stack[count].cell, stack[count].digit)) {
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

// Fills grid with the first completion, in the plain order, of the board holding the fixed
// digits (which agree with each other). When abandoned, grid holds the cells settled so far.
SearchStatus Walk(const Digits& fixed, const StartDigits& start, SearchMonitor& monitor,
                  Digits& grid) {
  grid = fixed;
  CandidateGrid board;
  if (!board.PlaceAll(fixed)) return SearchStatus::NoCompletion;
  monitor.SetColumn(FirstEmptyColumn(fixed));
  Digits witness{};
  int count = CountCompletions(board, 2, start, &witness, monitor);
  if (monitor.Abandoned()) return SearchStatus::Abandoned;
  if (count == 0) return SearchStatus::NoCompletion;

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
        int completions = trial.Place(k, d) ? CountCompletions(trial, 2, start, &found, monitor) : 0;
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
