// Rendering of the program's icon from its drawing, kept in the library's resources.
#include "common/qt/program_icon.h"

#include <QPainter>
#include <QSvgRenderer>

namespace shell_qt {

QImage RenderProgramIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QSvgRenderer drawing(QStringLiteral(":/deradu.svg"));
  QPainter painter(&image);
  drawing.render(&painter);
  return image;
}

}  // namespace shell_qt
