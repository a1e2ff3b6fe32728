// Puzzles for the grader's tests and benchmark, read from a collection file, and their
// solutions.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "game/engine/candidate_grid.h"
#include "game/engine/grade_candidates.h"

namespace testing_support {

// One puzzle a line: 81 characters, '1'-'9' a given, anything else an empty cell; lines
// starting with '#' and shorter lines are skipped. At most count puzzles; none when the
// file cannot be read.
std::vector<engine::Digits> ReadPuzzleFile(const std::string& path, size_t count = SIZE_MAX);
// The number of completions of a board, stopping at 2; the first in *first when given.
int CountSolutions(const engine::Digits& board, engine::Digits* first = nullptr);

// "r7c4" for cell 9 * 6 + 3.
std::string CellName(int k);
// A deduction as text, cell by cell: "r7c4=6" places 6 in row 7, column 4; "r8c8-29" strikes
// candidates 2 and 9 there; blank-separated, "" for none.
std::string DeductionText(const engine::Deduction& found);
// The pattern's candidates the same way, "r2c3:49", leaving out those the deduction strikes
// or places.
std::string PatternText(const engine::Deduction& found);

}  // namespace testing_support
