// The board model's unit table.
#include "game/engine/board.h"

namespace engine {

const std::array<Unit, 27>& Units() {
  static const std::array<Unit, 27> units = [] {
    std::array<Unit, 27> all{};
    for (int i = 0; i < 9; ++i) {
      for (int j = 0; j < 9; ++j) {
        all[i][j] = i + 9 * j;      // column i
        all[9 + i][j] = 9 * i + j;  // row i
      }
    }
    int box = 18;
    for (int boxColumn = 0; boxColumn < 3; ++boxColumn) {
      for (int boxRow = 0; boxRow < 3; ++boxRow, ++box) {
        int start = 3 * boxColumn + 27 * boxRow;
        for (int j = 0; j < 9; ++j) all[box][j] = start + 9 * (j / 3) + j % 3;
      }
    }
    return all;
  }();
  return units;
}

}  // namespace engine
