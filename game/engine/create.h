// New puzzles: a random complete grid from the search, filed as a numbered master and then
// thinned out by the skill level.
#pragma once

#include <functional>
#include <string>

#include "game/engine/game.h"

namespace engine {

// Files the complete grid in the Board as the next numbered master and returns the name
// written ("007.sms"), or empty when no file was written.
using MasterFiler = std::function<std::string(Game&)>;

// The Create command's creation step: search, file, ask, thin out.
void CreatePuzzle(Game& game, const MasterFiler& fileMaster);

}  // namespace engine
