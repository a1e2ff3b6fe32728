// The keyboard focus mark of every gadget.
#include "game/shell/qt/focus_ring.h"

#include <QPainter>
#include <QWidget>

#include "game/shell/contrast.h"
#include "game/shell/qt/colors.h"

namespace shell_qt {

void DrawFocusRing(QWidget* widget, const QColor& face) {
  if (!widget->hasFocus()) return;
  QPainter painter(widget);
  const QColor ring = ToQColor(shell::FocusRingColor(ToRgb(face)), {});
  const QRect edge = widget->rect();
  // Two pixels on each side, over the frame: wide enough to be seen, and clear of the
  // digit or swatch in the middle.
  for (int inset : {0, 1}) {
    const QRect line = edge.adjusted(inset, inset, -inset, -inset);
    painter.fillRect(line.left(), line.top(), line.width(), 1, ring);
    painter.fillRect(line.left(), line.bottom(), line.width(), 1, ring);
    painter.fillRect(line.left(), line.top(), 1, line.height(), ring);
    painter.fillRect(line.right(), line.top(), 1, line.height(), ring);
  }
}

}  // namespace shell_qt
