// Puzzles for the grader's tests and benchmark: read from a collection file, or made with a
// unique solution and givens in 180-degree symmetry.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "game/engine/candidate_grid.h"
#include "game/engine/random.h"

namespace testing_support {

// One puzzle a line: 81 characters, '1'-'9' a given, anything else an empty cell; lines
// starting with '#' and shorter lines are skipped. At most count puzzles; none when the
// file cannot be read.
std::vector<engine::Digits> ReadPuzzleFile(const std::string& path, size_t count = SIZE_MAX);
// The number of completions of a board, stopping at 2; the first in *first when given.
int CountSolutions(const engine::Digits& board, engine::Digits* first = nullptr);
// A random full grid from the search, then pairs of cells k and 80 - k emptied in random
// order while the solution stays unique.
engine::Digits MakeUniquePuzzle(engine::RandomGenerator& random);

}  // namespace testing_support
