// Placement of every gadget of the main window for an inner size (menu bar counted).
#include "game/shell/layout.h"

#include <algorithm>
#include <cstdint>

namespace shell {

using engine::kBaseHeight;
using engine::kBaseWidth;
using engine::Rect;

namespace {

// A base measure for the size, truncated to a whole pixel.
int Scale(int measure, int size, int baseSize) {
  return static_cast<int>(int64_t{measure} * size / baseSize);
}

}  // namespace

void LayoutBoard(engine::Game& game, int width, int height) {
  if (width == 0) {
    width = game.window.innerWidth;
    height = game.window.innerHeight;
  }
  // A smaller window keeps the base placement; its gadgets are clipped instead.
  const int w = std::max(width, kBaseWidth);
  const int h = std::max(height, kBaseHeight);
  const int x0 = Scale(50, w, kBaseWidth);
  const int cw = Scale(20, w, kBaseWidth);
  const int gw = Scale(10, w, kBaseWidth);
  const int y0 = Scale(100, h, kBaseHeight);
  const int ch = Scale(20, h, kBaseHeight);
  const int gh = Scale(10, h, kBaseHeight);
  const int yc = Scale(70, h, kBaseHeight);
  auto& geometry = game.window.geometry;

  // Cells touch within a box; a gap separates neighbouring boxes. The column and row
  // buttons follow the same steps.
  int y = y0;
  for (int row = 0; row < 9; ++row) {
    int x = x0;
    for (int column = 0; column < 9; ++column) {
      geometry[9 * row + column] = Rect{x, y, cw, ch};
      if (row == 0) geometry[engine::kFirstColumnButton + column] = Rect{x, yc, cw, ch};
      x += cw + (column % 3 == 2 ? gw : 0);
    }
    geometry[engine::kFirstRowButton + row] = Rect{cw, y, cw, ch};
    y += ch + (row % 3 == 2 ? gh : 0);
  }

  geometry[engine::kColorLabel] = Rect{gw, gh, 3 * gw, ch};
  for (int i = 0; i < 9; ++i) {
    geometry[engine::kFirstColorButton + i] = Rect{x0 + i * cw, gh, cw, ch};
  }
  geometry[engine::kNumberLabel] = Rect{gw, 4 * gh, 4 * gw, ch};
  for (int i = 0; i < 10; ++i) {
    geometry[engine::kFirstNumberButton + i] = Rect{x0 + i * cw, 4 * gh, cw, ch};
  }
  geometry[engine::kMarkButton] = Rect{cw, 7 * gh, cw, ch};
}

}  // namespace shell
