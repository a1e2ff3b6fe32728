// A palette button: a colour swatch on a bevelled square, drawn pushed in while it is held
// down or while the game marks it as the chosen colour.
#include "game/shell/qt/color_square.h"

#include <QPainter>
#include <qdrawutil.h>

#include "game/shell/qt/colors.h"
#include "game/shell/qt/focus_ring.h"

namespace shell_qt {

ColorSquare::ColorSquare(const QColor& color, QWidget* parent)
    : QPushButton(parent), color_(color) {
  setFocusPolicy(Qt::StrongFocus);
}

void ColorSquare::setChosen(bool chosen) {
  if (chosen_ == chosen) return;
  chosen_ = chosen;
  update();
}

void ColorSquare::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const bool pushed = chosen_ || isDown();
  // A thin raised bevel around the button's face normally. Pushed, the square takes the
  // pressed toggles' face colour, which stands out on light and dark desktops alike, with
  // the swatch shifted by a pixel.
  if (pushed) {
    painter.fillRect(rect(), PressedPalette(palette()).button());
  } else {
    painter.fillRect(rect(), palette().button());
    qDrawShadePanel(&painter, rect(), palette(), false, 1);
  }
  const int side = 15;
  QRect swatch((width() - side) / 2, (height() - side) / 2, side, side);
  if (pushed) swatch.translate(1, 1);
  painter.fillRect(swatch, color_);
  painter.end();
  DrawFocusRing(this, pushed ? PressedPalette(palette()).color(QPalette::Button)
                             : palette().color(QPalette::Button),
                RingPlace::OverEdge);
}

}  // namespace shell_qt
