// Puzzles as published ones are made: exactly one solution, and givens placed with 180-degree
// rotational symmetry (cell k is a given exactly when cell 80 - k is).
#pragma once

#include "game/engine/candidate_grid.h"
#include "game/engine/random.h"

namespace engine {

// A random full grid from the search's counter, then the pairs of cells k and 80 - k (the
// centre alone) emptied in random order wherever the solution stays unique. The same
// generator state gives the same puzzle on every platform.
Digits SymmetricPuzzle(RandomGenerator& random);

}  // namespace engine
