// New puzzles: a random complete grid from the search, filed as a numbered master and then
// thinned out by the skill level, keeping exactly one solution.
#include "game/engine/create.h"

#include "game/engine/cells.h"
#include "game/engine/search.h"
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
  // Each cell stays a given when a draw from 0 to 80 does not exceed the threshold. A cell
  // whose draw exceeds it is emptied only if the puzzle keeps its one solution, so that it
  // can be solved by reasoning alone; every cell still takes its draw.
  const int threshold = 30 + 15 * game.Skill;
  Digits puzzle;
  for (int k = 0; k < 81; ++k) puzzle[k] = static_cast<int8_t>(game.board.cells[k].digit);
  for (int k = 0; k < 81; ++k) {
    if (platform.Random(80) <= threshold) continue;
    const int8_t digit = puzzle[k];
    puzzle[k] = 0;
    if (CountSolutions(puzzle, 2) != 1) {
      puzzle[k] = digit;
      continue;
    }
    game.board.cells[k].digit = 0;
    game.board.cells[k].master = 0;
  }
}

}  // namespace engine
