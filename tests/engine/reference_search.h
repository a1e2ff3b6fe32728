// A plain backtracking search that takes every step literally, with no pruning at all; the
// fast search must find exactly what it finds.
#pragma once

#include <cstdint>
#include <vector>

#include "game/engine/board.h"
#include "game/engine/candidate_grid.h"
#include "game/engine/game.h"

namespace testing_support {

enum class ReferenceStatus { Completed, NoCompletion, StepCapReached };

struct ReferenceResult {
  ReferenceStatus status;
  uint64_t steps;  // digits placed or revised
};

// Completes board from the stack that SearchStackOf builds for it (digits 1-9 only), each
// empty cell's digits tried cyclically from its start digit. Fails when backtracking would
// revise a given; a full board that breaks the rules is no completion. Gives up after
// stepCap steps.
ReferenceResult ReferenceSolve(engine::Board& board, std::vector<engine::SearchEntry>& stack,
                               const engine::StartDigits& start, uint64_t stepCap);

// Counts the solutions of a puzzle (1-9 a given, 0 empty) up to limit by trying every digit
// of the empty cell with the fewest, from row, column and box alone: slow, but sharing no
// code with the engine's counter, which it checks.
int CountSolutionsPlainly(const engine::Digits& puzzle, int limit);

}  // namespace testing_support
