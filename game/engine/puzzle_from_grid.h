// A complete grid made a puzzle: each cell draws a number, and a cell whose draw exceeds the
// skill's threshold is emptied, as long as the puzzle keeps its one solution.
#pragma once

#include <cstdint>

#include "game/engine/board.h"
#include "game/engine/ids.h"
#include "game/engine/platform.h"

namespace engine {

// base + step × skill, for a skill taken from the settings file as it stands: any int, with
// no overflow. Every draw lies far inside the range, so the comparison with a draw comes out
// as it would for the skill clamped to a few steps beyond either end of 0 to 3.
constexpr int64_t SkillThreshold(int base, int step, int skill) {
  return base + int64_t{step} * skill;
}

// Goes through the cells in index order, each drawing a number from 0 to maxDraw; a cell
// whose draw exceeds threshold is emptied (digit and master 0) unless the puzzle would then
// have more than one solution. The cells that stay keep their kind. A grid whose digits
// clash has no solution to keep: its drawn cells are all emptied.
void EmptyDrawnCells(Board& board, Platform& platform, int maxDraw, int64_t threshold);

}  // namespace engine
