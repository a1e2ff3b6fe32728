// Placement of the main window's gadgets for an inner size.
#include <gtest/gtest.h>

#include <cstdlib>

#include "common/display/display_scale.h"
#include "game/shell/layout.h"
#include "tests/support/game_fixture.h"

namespace {

using namespace engine;

class LayoutTest : public testing_support::GameTest {
 protected:
  const Rect& At(int id) const { return game.window.geometry[id]; }
};

// Every gadget's base geometry, straight from the window's design table.
std::array<Rect, kGadgetCount> BaseGeometry() {
  std::array<Rect, kGadgetCount> base{};
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 9; ++c) {
      base[9 * r + c] = {50 + 20 * c + 10 * (c / 3), 100 + 20 * r + 10 * (r / 3), 20, 20};
    }
  }
  for (int c = 0; c < 9; ++c) base[kFirstColumnButton + c] = {base[c].x, 70, 20, 20};
  for (int r = 0; r < 9; ++r) base[kFirstRowButton + r] = {20, base[9 * r].y, 20, 20};
  base[kColorLabel] = {10, 10, 30, 20};
  base[kNumberLabel] = {10, 40, 40, 20};
  for (int d = 1; d <= 10; ++d) base[kFirstNumberButton + d - 1] = {50 + 20 * (d - 1), 40, 20, 20};
  for (int i = 0; i < 9; ++i) base[kFirstColorButton + i] = {50 + 20 * i, 10, 20, 20};
  base[kMarkButton] = {20, 70, 20, 20};
  return base;
}

TEST_F(LayoutTest, BaseSizeGivesTheDesignedGeometry) {
  shell::LayoutBoard(game, kBaseWidth, kBaseHeight);
  const auto base = BaseGeometry();
  for (int id = 0; id < kGadgetCount; ++id) EXPECT_EQ(At(id), base[id]) << "gadget " << id;
  EXPECT_EQ(At(kClearButton), (Rect{230, 40, 20, 20}));
  EXPECT_EQ(At(80), (Rect{230, 280, 20, 20}));
}

TEST_F(LayoutTest, DoubleSizeDoublesEveryCoordinate) {
  shell::LayoutBoard(game, 2 * kBaseWidth, 2 * kBaseHeight);
  const auto base = BaseGeometry();
  for (int id = 0; id < kGadgetCount; ++id) {
    const Rect& b = base[id];
    EXPECT_EQ(At(id), (Rect{2 * b.x, 2 * b.y, 2 * b.width, 2 * b.height})) << "gadget " << id;
  }
  EXPECT_EQ(At(0), (Rect{100, 200, 40, 40}));
}

TEST_F(LayoutTest, SmallerWindowsKeepTheBasePlacement) {
  const auto base = BaseGeometry();
  for (auto [w, h] : {std::pair{100, 100}, {200, 500}, {400, 300}}) {
    shell::LayoutBoard(game, w, h);
    int expectedWidth = std::max(w, kBaseWidth);
    EXPECT_EQ(At(0).width, 20 * expectedWidth / kBaseWidth) << w << "x" << h;
    EXPECT_EQ(At(0).height, 20 * std::max(h, kBaseHeight) / kBaseHeight) << w << "x" << h;
  }
  shell::LayoutBoard(game, 10, 10);
  for (int id = 0; id < kGadgetCount; ++id) EXPECT_EQ(At(id), base[id]) << "gadget " << id;
}

TEST_F(LayoutTest, ZeroWidthTakesTheWindowsCurrentInnerSize) {
  game.window.innerWidth = 532;
  game.window.innerHeight = 666;
  shell::LayoutBoard(game, 0, 0);
  EXPECT_EQ(At(0), (Rect{100, 200, 40, 40}));
}

TEST_F(LayoutTest, MarkButtonCanStandHigherThanTheColumnButtons) {
  shell::LayoutBoard(game, kBaseWidth, 366);
  EXPECT_EQ(At(kFirstColumnButton).y, 76);
  EXPECT_EQ(At(kMarkButton).y, 70);
}

TEST_F(LayoutTest, UnevenSizesTruncateEachMeasure) {
  shell::LayoutBoard(game, 400, 500);
  // x0 = 50*400/266 = 75, cw = 30, gw = 15; y0 = 100*500/333 = 150, ch = 30, gh = 15.
  EXPECT_EQ(At(0), (Rect{75, 150, 30, 30}));
  EXPECT_EQ(At(3), (Rect{75 + 3 * 30 + 15, 150, 30, 30}));
  EXPECT_EQ(At(27), (Rect{75, 150 + 3 * 30 + 15, 30, 30}));
  EXPECT_EQ(At(kColorLabel), (Rect{15, 15, 45, 30}));
  EXPECT_EQ(At(kNumberLabel), (Rect{15, 60, 60, 30}));
  EXPECT_EQ(At(kFirstRowButton), (Rect{30, 150, 30, 30}));
}

// At another DPI the base layout is drawn in that DPI's pixels: the cells of a box still
// touch, the boxes keep their gaps, and every gadget stays inside the scaled inner size.
TEST_F(LayoutTest, BaseLayoutScaledToADisplayKeepsItsShape) {
  shell::LayoutBoard(game, kBaseWidth, kBaseHeight);
  for (int dpi : {96, 120, 144, 168, 192}) {
    auto at = [&](int id) { return display::ToDevice(At(id), dpi); };
    for (int r = 0; r < 9; ++r) {
      for (int c = 0; c + 1 < 9; ++c) {
        const Rect cell = at(9 * r + c), next = at(9 * r + c + 1);
        const int gap = next.x - (cell.x + cell.width);
        if (c % 3 == 2) {
          EXPECT_LE(std::abs(gap - display::ToDevice(10, dpi)), 1)
              << "row " << r << " column " << c << " at " << dpi;
        } else {
          EXPECT_EQ(gap, 0) << "row " << r << " column " << c << " at " << dpi;
        }
        EXPECT_EQ(cell.height, next.height);
      }
    }
    for (int id = 0; id < kGadgetCount; ++id) {
      const Rect gadget = at(id);
      EXPECT_LE(gadget.x + gadget.width, display::ToDevice(kBaseWidth, dpi)) << id << " @ " << dpi;
      EXPECT_LE(gadget.y + gadget.height, display::ToDevice(kBaseHeight, dpi)) << id << " @ " << dpi;
      EXPECT_GE(gadget.width, display::ToDevice(At(id).width, dpi) - 1) << id << " at " << dpi;
    }
  }
}

}  // namespace
