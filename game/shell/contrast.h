// How far apart two colours are for the eye: the relative luminance and contrast ratio of
// the Web Content Accessibility Guidelines (WCAG 2).
#pragma once

#include "game/engine/platform.h"

namespace shell {

// The least contrast at which text reads well, and at which a control's state is told apart
// from its surroundings.
inline constexpr double kReadableText = 4.5;
inline constexpr double kDistinctState = 3.0;

// 0 for black to 1 for white, from the linear-light sRGB components of an RGB value.
double RelativeLuminance(engine::Rgb rgb);

// (lighter + 0.05) / (darker + 0.05) of two RGB values: 1 for equal colours, 21 for black
// on white.
double ContrastRatio(engine::Rgb a, engine::Rgb b);

// The colour of the keyboard focus ring on a gadget's face: black or white, whichever stands
// farther from the face (at least 4.58 : 1 for any face).
engine::Rgb FocusRingColor(engine::Rgb face);

}  // namespace shell
