// The About box with its build line and the offer to open the readme.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "game/engine/game.h"

namespace help {

// Applies a date mask to a timestamp (seconds since 1970, read without any time zone):
// "%yyyy" the four-digit year, "%dd" the day of the month, "%hh" the hour (00-23), "%ii" the
// minute, "%ss" the second, each two digits; tokens match without regard to case and every
// other character, a "%" that starts no token included, is copied unchanged.
std::string ApplyDateMask(std::string_view mask, int64_t timestamp);
// "Y=2012December,Saturday,15, 15:55:34" for 1355586934.
std::string FormatBuildLine(int64_t timestamp);
void ShowAboutBox(engine::Game& game);

}  // namespace help
