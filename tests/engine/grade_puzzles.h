// Puzzles for the grader's tests and benchmark, read from a collection file, and their
// solutions.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "game/engine/candidate_grid.h"

namespace testing_support {

// One puzzle a line: 81 characters, '1'-'9' a given, anything else an empty cell; lines
// starting with '#' and shorter lines are skipped. At most count puzzles; none when the
// file cannot be read.
std::vector<engine::Digits> ReadPuzzleFile(const std::string& path, size_t count = SIZE_MAX);
// The number of completions of a board, stopping at 2; the first in *first when given.
int CountSolutions(const engine::Digits& board, engine::Digits* first = nullptr);

}  // namespace testing_support
