// The contrast arithmetic and what the default colour of a cell stands for on a desktop.
#include <gtest/gtest.h>

#include "game/shell/board_colors.h"
#include "game/shell/contrast.h"

namespace {

using engine::Rgb;
using engine::RgbOf;

constexpr Rgb kWhite = RgbOf(255, 255, 255);
constexpr Rgb kBlack = RgbOf(0, 0, 0);

Rgb Grey(int level) { return RgbOf(level, level, level); }

// Figures published with the guidelines and by the usual checkers.
TEST(ContrastRatioTest, MatchesPublishedRatios) {
  const struct {
    Rgb a, b;
    double ratio;
  } cases[] = {{kBlack, kWhite, 21.0},      {kWhite, kBlack, 21.0},
               {Grey(0x76), kWhite, 4.54},  {Grey(0x77), kWhite, 4.48},
               {RgbOf(255, 0, 0), kWhite, 4.00}, {RgbOf(0, 0, 255), kWhite, 8.59},
               {Grey(0x80), Grey(0x80), 1.0}};
  for (const auto& c : cases) {
    EXPECT_NEAR(shell::ContrastRatio(c.a, c.b), c.ratio, 0.005) << c.a << " on " << c.b;
  }
}

TEST(BoardColorsTest, DefaultsKeepTheDesktopOnlyWhereThePaletteStillReads) {
  const struct {
    const char* desktop;
    Rgb fieldBack, fieldText;
    Rgb paper, ink;
  } cases[] = {
      {"white fields", kWhite, kBlack, kWhite, kBlack},
      {"off-white fields, dark grey text", Grey(0xfa), RgbOf(0x2e, 0x34, 0x36), Grey(0xfa),
       RgbOf(0x2e, 0x34, 0x36)},
      // Teal reads at 4.5:1 on white but not on this grey.
      {"light grey fields", Grey(0xe6), kBlack, kWhite, kBlack},
      {"Adwaita-dark", Grey(0x24), Grey(0xf0), kWhite, kBlack},
      {"high-contrast black", kBlack, kWhite, kWhite, kBlack},
      {"pale text on white fields", kWhite, Grey(0xc8), kWhite, kBlack},
  };
  for (const auto& c : cases) {
    const shell::BoardDefaults defaults = shell::ResolveBoardDefaults(c.fieldBack, c.fieldText);
    EXPECT_EQ(defaults.paper, c.paper) << c.desktop;
    EXPECT_EQ(defaults.ink, c.ink) << c.desktop;
  }
}

TEST(BoardColorsTest, StoredColoursAreDrawnAsTheyAre) {
  const shell::BoardDefaults defaults{kWhite, kBlack};
  engine::CellGadget hint{"0357", engine::kDefaultColor, engine::kDefaultColor, 0};
  EXPECT_EQ(shell::DrawnCellColors(hint, defaults).text, kBlack);
  EXPECT_EQ(shell::DrawnCellColors(hint, defaults).back, kWhite);
  // A colour the player chose is drawn even where it is the desktop's dark field colour.
  engine::CellGadget chosen{"5", RgbOf(0, 0, 128), Grey(0x24), 0};
  EXPECT_EQ(shell::DrawnCellColors(chosen, defaults).text, RgbOf(0, 0, 128));
  EXPECT_EQ(shell::DrawnCellColors(chosen, defaults).back, Grey(0x24));
}

}  // namespace
