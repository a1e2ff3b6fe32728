// Rates a puzzle by the techniques a person needs to solve it: the solve always applies the
// simplest technique that makes progress, and the rating is the level of the hardest one
// the solve needed. Cell k = 9 * row + column.
#pragma once

#include <string_view>
#include <vector>

#include "game/engine/candidate_grid.h"

namespace engine {

// Singles: naked and hidden singles only. Intersections: locked candidates and naked and
// hidden subsets. Patterns: fish (finned and sashimi too), wings and single-digit patterns.
// Chains: X-chains, XY-chains and alternating inference chains. Advanced: uniqueness
// techniques, almost-locked sets and forcing nets. Beyond: the techniques cannot finish it.
enum class GradeLevel {
  Singles = 1,
  Intersections = 2,
  Patterns = 3,
  Chains = 4,
  Advanced = 5,
  Beyond = 6
};

struct Grading {
  GradeLevel level = GradeLevel::Beyond;
  // The names of the techniques the solve used, in the order of the technique table, each once.
  std::vector<std::string_view> techniques;
  // The grid the logical solve reached, 0 in the cells where it stopped.
  Digits solution{};
};

// givens: 0 for an empty cell. Givens that break the rules rate Beyond. The uniqueness
// techniques take part only once the search has found that the givens have one solution,
// which it counts the first time the solve reaches one of them.
Grading GradePuzzle(const Digits& givens);
// A short English name of the level for players and reports.
std::string_view GradeLevelName(GradeLevel level);

}  // namespace engine
