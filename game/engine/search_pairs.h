// A first pass for the search on a board that propagation leaves unsolved: hidden pairs,
// which the candidate grid's own propagation does not look for. Each candidate they strike
// is one that no completion uses, so the board keeps its completions, while the counting
// search below it takes about a quarter fewer branches on hard puzzles.
#pragma once

#include "game/engine/candidate_grid.h"

namespace engine {

// Strikes, once over the whole grid, the candidates that hidden pairs rule out; false when
// the grid is then left without a completion.
bool StrikePairs(CandidateGrid& grid);

}  // namespace engine
