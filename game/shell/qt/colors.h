// Conversion of the game's colour values to Qt colours, and the board's colours for the
// desktop's palette.
#pragma once

#include <QColor>
#include <QPalette>

#include "game/engine/platform.h"
#include "game/shell/board_colors.h"

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

// What -1 stands for in a cell under the desktop's palette.
inline shell::BoardDefaults BoardDefaultsOf(const QPalette& desktop) {
  return shell::ResolveBoardDefaults(ToRgb(desktop.color(QPalette::Base)),
                                     ToRgb(desktop.color(QPalette::Text)));
}

// The palette of a button drawn pressed: its face and label in the pressed look.
inline QPalette PressedPalette(QPalette palette) {
  const shell::ButtonLook look = shell::PressedLook(
      ToRgb(palette.color(QPalette::Button)), ToRgb(palette.color(QPalette::ButtonText)),
      ToRgb(palette.color(QPalette::Highlight)), ToRgb(palette.color(QPalette::HighlightedText)));
  palette.setColor(QPalette::Button, ToQColor(look.face, {}));
  palette.setColor(QPalette::ButtonText, ToQColor(look.label, {}));
  return palette;
}

}  // namespace shell_qt
