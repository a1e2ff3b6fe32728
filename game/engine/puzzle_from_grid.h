// A complete grid made a puzzle: each cell draws a number, and a cell whose draw exceeds the
// skill's threshold is emptied, as long as the puzzle keeps its one solution.
#pragma once

#include <cstdint>

#include "game/engine/board.h"
#include "game/engine/ids.h"
#include "game/engine/platform.h"

namespace engine {

// base + step × skill, exact for any skill the settings file holds. Draws lie in 0 to 100,
// so a hand-edited huge skill compares with every draw as the skill clamped to -100..100
// would, with no overflow on the way.
constexpr int64_t SkillThreshold(int base, int step, int skill) {
  return base + int64_t{step} * skill;
}

// Goes through the cells in index order, each drawing a number from 0 to maxDraw; a cell
// whose draw exceeds threshold is emptied (digit and master 0) unless the puzzle would then
// have more than one solution. The cells that stay keep their kind. A grid whose digits
// clash has no solution to keep: its drawn cells are all emptied.
void EmptyDrawnCells(Board& board, Platform& platform, int maxDraw, int64_t threshold);

}  // namespace engine
