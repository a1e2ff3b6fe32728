// A game driven through the fake platform, with helpers to put a board on its cells.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "game/engine/game.h"
#include "tests/support/fake_platform.h"

namespace testing_support {

class GameTest : public ::testing::Test {
 protected:
  GameTest();

  // Shows an 81-character puzzle on the cells: digits 1-9 are givens, '.' or '0' empty.
  void ShowGivens(std::string_view puzzle);
  // The 81 cell texts as one string, '.' for an empty cell and '?' for any longer text.
  std::string CellDigits() const;
  const engine::CellGadget& CellAt(int k) const { return game.window.cells[k]; }

  FakePlatform platform;
  engine::Game game{platform};
};

// A complete valid grid, and the same with its last cell (80) emptied.
inline constexpr std::string_view kSolvedGrid =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

}  // namespace testing_support
