// The relative luminance and contrast ratio of WCAG 2.
#include "game/shell/contrast.h"

#include <algorithm>
#include <cmath>

namespace shell {
namespace {

double LinearComponent(int component) {
  const double c = component / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

double RelativeLuminance(engine::Rgb rgb) {
  return 0.2126 * LinearComponent(rgb & 0xFF) + 0.7152 * LinearComponent((rgb >> 8) & 0xFF) +
         0.0722 * LinearComponent((rgb >> 16) & 0xFF);
}

double ContrastRatio(engine::Rgb a, engine::Rgb b) {
  const double la = RelativeLuminance(a);
  const double lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

engine::Rgb FocusRingColor(engine::Rgb face) {
  const engine::Rgb black = engine::RgbOf(0, 0, 0);
  const engine::Rgb white = engine::RgbOf(255, 255, 255);
  return ContrastRatio(face, black) >= ContrastRatio(face, white) ? black : white;
}

}  // namespace shell
