// The About box with its build line and the offer to open the readme.
#pragma once

#include <cstdint>
#include <string>

#include "game/engine/game.h"

namespace help {

// "Y=2012December,Saturday,15, 15:55:34" for 1355586934 (seconds since 1970, no time zone).
std::string FormatBuildLine(int64_t timestamp);
void ShowAboutBox(engine::Game& game);

}  // namespace help
