// What the default colour of a cell stands for on the desktop at hand.
#include "game/shell/board_colors.h"

#include <algorithm>

#include "game/shell/contrast.h"

namespace shell {
namespace {

using engine::Rgb;

constexpr Rgb kWhite = engine::RgbOf(255, 255, 255);
constexpr Rgb kBlack = engine::RgbOf(0, 0, 0);

bool KeepsPaletteReadable(Rgb paper) {
  return std::all_of(engine::TextPalette.begin(), engine::TextPalette.end(), [paper](Rgb ink) {
    return ContrastRatio(ink, kWhite) < kReadableText || ContrastRatio(ink, paper) >= kReadableText;
  });
}

}  // namespace

BoardDefaults ResolveBoardDefaults(Rgb fieldBack, Rgb fieldText) {
  const Rgb paper = KeepsPaletteReadable(fieldBack) ? fieldBack : kWhite;
  const Rgb ink = ContrastRatio(fieldText, paper) >= kReadableText ? fieldText : kBlack;
  return {paper, ink};
}

CellLook DrawnCellColors(const engine::CellGadget& cell, const BoardDefaults& defaults) {
  return {cell.textColor == engine::kDefaultColor ? defaults.ink : cell.textColor,
          cell.backColor == engine::kDefaultColor ? defaults.paper : cell.backColor};
}

}  // namespace shell
