// Symmetric puzzles with one solution.
#include "game/engine/symmetric_puzzle.h"

#include <array>
#include <utility>

#include "game/engine/search.h"

namespace engine {

Digits SymmetricPuzzle(RandomGenerator& random) {
  StartDigits start;
  for (int8_t& digit : start) digit = static_cast<int8_t>(1 + random.Next(8));
  Digits puzzle{};
  SearchMonitor monitor;
  CountCompletions(CandidateGrid(), 1, start, &puzzle, monitor);

  // The first cell of each pair, shuffled.
  std::array<int, 41> pairs;
  for (int k = 0; k <= 40; ++k) pairs[k] = k;
  for (int i = 40; i > 0; --i) std::swap(pairs[i], pairs[random.Next(i)]);
  for (int k : pairs) {
    Digits thinner = puzzle;
    thinner[k] = 0;
    thinner[80 - k] = 0;
    if (CountSolutions(thinner, 2) == 1) puzzle = thinner;
  }
  return puzzle;
}

}  // namespace engine
