// Conversion of the game's colour values to Qt colours, and the board's and the pressed
// buttons' colours for the desktop's palette.
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

// The palette of a pressed toggle or the chosen colour square: the button inverted, its
// text colour as the face and its face colour as the label. Many styles draw a pressed
// button only a shade darker, which hardly shows on a dark desktop; the inverted face stands
// apart from a raised one as far as the button's text from its face, on any desktop.
inline QPalette PressedPalette(QPalette palette) {
  const QColor face = palette.color(QPalette::ButtonText);
  palette.setColor(QPalette::ButtonText, palette.color(QPalette::Button));
  palette.setColor(QPalette::Button, face);
  return palette;
}

}  // namespace shell_qt
