// The one rule by which filled cells get their background colour.
#pragma once

#include "game/engine/game.h"

namespace engine {

// Cells whose value equals litDigit get MarkColor, other cells MasterColor when they hold a
// given and NumberColor otherwise. Cells whose value is 0 or less are left alone unless
// emptyCellsToo is set. litDigit 0 lights nothing.
void PaintDigitBackgrounds(Game& game, int litDigit, bool emptyCellsToo);

// The digit that marking lights: SelectedNumber while Marking is on, else none.
int MarkedDigit(const Game& game);

}  // namespace engine
