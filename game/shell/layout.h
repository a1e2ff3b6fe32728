// Placement of every gadget of the main window for an inner size (menu bar counted).
#pragma once

#include "game/engine/game.h"

namespace shell {

// Places all gadgets for inner size width x height; width 0 takes the window's current
// inner size. Sizes below 266 x 333 keep the base placement.
void LayoutBoard(engine::Game& game, int width, int height);

}  // namespace shell
