// The window icon from its build-time renderings, kept as raw pixels: decoding an image at
// start-up would make Qt load its image-format plugins, and rendering the drawing would need
// the SVG library.
#include "common/qt/window_icon.h"

#include <algorithm>

#include <QImage>
#include <QPixmap>
#include <QResource>
#include <QString>

namespace shell_qt {

QIcon ProgramIcon() {
  QIcon icon;
  for (const int size : {DERADU_WINDOW_ICON_SIZES}) {
    const QByteArray pixels =
        QResource(QStringLiteral(":/icons/deradu-%1.argb").arg(size)).uncompressedData();
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    if (pixels.size() != image.sizeInBytes()) continue;
    std::copy(pixels.begin(), pixels.end(), reinterpret_cast<char*>(image.bits()));
    icon.addPixmap(QPixmap::fromImage(image));
  }
  return icon;
}

}  // namespace shell_qt
