// A game driven through the fake platform.
#include "tests/support/game_fixture.h"

#include "game/engine/cells.h"

namespace testing_support {

GameTest::GameTest() {
  game.DefColor = 100;
  game.MasterColor = 200;
  game.NumberColor = 300;
  game.HIColor = 400;
  game.MarkColor = 500;
  game.HintColor = 600;
  engine::ClearCells(game);
}

void GameTest::ShowGivens(std::string_view puzzle) {
  engine::Board board;
  for (int k = 0; k < 81; ++k) {
    char c = puzzle[k];
    int digit = c >= '1' && c <= '9' ? c - '0' : 0;
    board.cells[k] = {digit, -digit, 0};
  }
  game.board = board;
  engine::ShowBoard(game);
}

std::string GameTest::CellDigits() const {
  std::string digits;
  for (const engine::CellGadget& cell : game.window.cells) {
    digits += cell.text.empty() ? '.' : cell.text.size() == 1 ? cell.text[0] : '?';
  }
  return digits;
}

}  // namespace testing_support
