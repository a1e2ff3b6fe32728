// The overflow chevron of the menu bar, drawn as two small arrow heads.
#include "game/shell/qt/chevron_style.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>

namespace shell_qt {

QIcon ChevronStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                 const QWidget* widget) const {
  if (icon != SP_ToolBarHorizontalExtensionButton) {
    return QProxyStyle::standardIcon(icon, option, widget);
  }
  QPixmap chevron(16, 16);
  chevron.fill(Qt::transparent);
  QPainter painter(&chevron);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.5));
  for (int left : {4, 8}) {
    painter.drawPolyline(QPolygonF({QPointF(left, 4), QPointF(left + 3, 8), QPointF(left, 12)}));
  }
  return QIcon(chevron);
}

}  // namespace shell_qt
