// The board model: 81 cells of three fields, addressed as Board(x, y) with x the column and
// y the row; cell index k = 9 * y + x runs row by row from the top-left cell.
#pragma once

#include <array>
#include <cstdint>

namespace engine {

struct Cell {
  int32_t digit = 0;      // 0 empty, else 1 to 9
  int32_t master = 0;     // non-zero for a given
  int32_t textColor = 0;  // colour of a player's digit; 0 for givens
};

struct Board {
  std::array<Cell, 81> cells{};

  Cell& operator()(int x, int y) { return cells[y * 9 + x]; }
  const Cell& operator()(int x, int y) const { return cells[y * 9 + x]; }
};

constexpr int RowOf(int k) { return k / 9; }
constexpr int ColumnOf(int k) { return k % 9; }
// Index of the top-left cell of the box holding cell k.
constexpr int BoxStartOf(int k) { return 27 * (RowOf(k) / 3) + 3 * (ColumnOf(k) / 3); }

// The 27 units, each as nine cell indices: columns 0-8, rows 0-8, then boxes with box column
// i and box row j at 3i + 27j, taken for i = 0..2 and, within each, j = 0..2.
using Unit = std::array<int, 9>;
const std::array<Unit, 27>& Units();
// The row, the column and the box of cell k.
inline const Unit& RowUnitOf(int k) { return Units()[9 + RowOf(k)]; }
inline const Unit& ColumnUnitOf(int k) { return Units()[ColumnOf(k)]; }
inline const Unit& BoxUnitOf(int k) { return Units()[18 + 3 * (ColumnOf(k) / 3) + RowOf(k) / 3]; }

// One unit as a player names it: a row, column or box numbered 0 to 8, boxes counted like
// the cells, row by row from the top-left box.
struct UnitPlace {
  enum class Kind { Row, Column, Box };
  Kind kind = Kind::Row;
  int index = 0;
  friend bool operator==(const UnitPlace&, const UnitPlace&) = default;
};
constexpr int BoxNumberOf(int k) { return 3 * (RowOf(k) / 3) + ColumnOf(k) / 3; }

}  // namespace engine
