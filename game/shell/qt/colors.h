// Conversion of the game's colour values to Qt colours.
#pragma once

#include <QColor>

#include "game/engine/platform.h"

namespace shell_qt {

// The colour of an RGB value (red + 256 * green + 65536 * blue), or fallback for -1, the
// platform's default colour.
inline QColor ToQColor(engine::Rgb rgb, const QColor& fallback) {
  if (rgb == engine::kDefaultColor) return fallback;
  return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

inline engine::Rgb ToRgb(const QColor& color) {
  return engine::RgbOf(color.red(), color.green(), color.blue());
}

}  // namespace shell_qt
