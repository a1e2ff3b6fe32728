// The puzzles that come with the game, as the repository's library folder holds them.
#pragma once

#include <string>
#include <vector>

#include "game/engine/board.h"
#include "game/engine/candidate_grid.h"

namespace testing_support {

struct LibraryPuzzle {
  std::string name;   // the file's name, "3 Tough 07.sms"
  std::string bytes;  // the file's content
  engine::Board board;
  engine::Digits givens;  // the board's digits, 0 for an empty cell
};

// Every master (*.sms) of the library folder, in the order of their names.
std::vector<LibraryPuzzle> ReadLibrary();

}  // namespace testing_support
