// Sizes in 96-DPI units and a display's pixels.
#include <gtest/gtest.h>

#include <cstdlib>

#include "common/display/display_scale.h"

namespace {

using display::FromDevice;
using display::ToDevice;

struct Box {
  int x = 0, y = 0, width = 0, height = 0;
};

// Every size a settings file can hold comes back unchanged from the pixels of any display at
// 96 DPI or above, so a window that is stored and reopened keeps its size at every scale.
TEST(DisplayScaleTest, SizesComeBackFromThePixelsOfEveryScale) {
  for (int dpi : {96, 120, 144, 168, 192, 240, 288}) {
    for (int measure = -50; measure <= 20000; ++measure) {
      ASSERT_EQ(FromDevice(ToDevice(measure, dpi), dpi), measure) << measure << " at " << dpi;
    }
  }
}

TEST(DisplayScaleTest, PixelsRoundToTheNearest) {
  struct Row {
    int measure, dpi, pixels;
  };
  for (const Row& row : {Row{266, 96, 266}, Row{266, 144, 399}, Row{333, 144, 500},
                         Row{333, 192, 666}, Row{15, 144, 23}, Row{15, 120, 19}, Row{-15, 144, -23},
                         Row{20, 0, 20}, Row{16384, 192, 32768}}) {
    EXPECT_EQ(ToDevice(row.measure, row.dpi), row.pixels) << row.measure << " at " << row.dpi;
  }
}

// Rectangles that touch keep touching, and a gap keeps its scaled width within a pixel.
TEST(DisplayScaleTest, TouchingRectanglesStillTouch) {
  for (int dpi : {96, 120, 125, 144, 168, 192}) {
    for (int x = 0; x < 300; x += 7) {
      const Box left = ToDevice(Box{x, x, 20, 20}, dpi);
      const Box right = ToDevice(Box{x + 20, x + 20, 20, 20}, dpi);
      EXPECT_EQ(left.x + left.width, right.x) << x << " at " << dpi;
      EXPECT_EQ(left.y + left.height, right.y) << x << " at " << dpi;
      EXPECT_LE(std::abs(left.width - ToDevice(20, dpi)), 1);
    }
  }
}

}  // namespace
