// The keyboard focus mark of every gadget.
#include "game/shell/qt/focus_ring.h"

#include <QPainter>
#include <QWidget>

#include "game/shell/contrast.h"
#include "game/shell/qt/colors.h"

namespace shell_qt {

void DrawFocusRing(QWidget* widget, const QColor& face, RingPlace place) {
  if (!widget->hasFocus()) return;
  QPainter painter(widget);
  const QColor ring = ToQColor(shell::FocusRingColor(ToRgb(face)), {});
  const QRect edge = widget->rect();
  // Clear of the digit or swatch in the middle at any size.
  const int first = place == RingPlace::InsideFrame ? 1 : 0;
  const int width = place == RingPlace::InsideFrame ? 3 : 2;
  for (int inset = first; inset < first + width; ++inset) {
    const QRect line = edge.adjusted(inset, inset, -inset, -inset);
    painter.fillRect(line.left(), line.top(), line.width(), 1, ring);
    painter.fillRect(line.left(), line.bottom(), line.width(), 1, ring);
    painter.fillRect(line.left(), line.top(), 1, line.height(), ring);
    painter.fillRect(line.right(), line.top(), 1, line.height(), ring);
  }
}

}  // namespace shell_qt
