// New puzzles: a random complete grid from the search, filed as a numbered master and then
// thinned out by the skill level, keeping exactly one solution.
#include "game/engine/create.h"

#include "game/engine/cells.h"
#include "game/engine/puzzle_from_grid.h"
#include "game/engine/solver.h"

namespace engine {
namespace {

constexpr std::string_view kCreateTitle = "Deep Thought";

}  // namespace

void CreatePuzzle(Game& game, const MasterFiler& fileMaster) {
  Platform& platform = game.platform;
  const uint32_t t0 = platform.TickCount();
  ClearBoard(game);
  if (!SolvePuzzle(game)) {
    platform.ShowMessage(kCreateTitle, "No solution on new game??", MessageIcon::None,
                         MessageButtons::Ok);
    return;
  }
  if (fileMaster) fileMaster(game);

  const uint32_t seconds = (platform.TickCount() - t0) / 1000;
  const std::string question =
      "Solution Found in " + std::to_string(seconds) + "\nDo you wish to play this?";
  if (platform.ShowMessage(kCreateTitle, question, MessageIcon::Question,
                           MessageButtons::YesNo) != MessageAnswer::Yes) {
    return;
  }
  // A cell whose draw from 0 to 80 exceeds the threshold is emptied, keeping the puzzle's
  // one solution, so that it can be solved by reasoning alone.
  EmptyDrawnCells(game.board, platform, 80, SkillThreshold(30, 15, game.Skill));
}

}  // namespace engine
