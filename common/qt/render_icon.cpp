// Build tool: writes the program's icon at the given size, as a PNG for the desktop's icon
// theme, or as raw premultiplied ARGB pixels (FILE.argb) that the game's window takes without
// decoding anything. Usage: render_icon SIZE FILE.png|FILE.argb
#include <QFile>
#include <QGuiApplication>
#include <QString>

#include "common/qt/program_icon.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const int size = QString::fromLocal8Bit(argv[1]).toInt();
  if (size <= 0) return 2;
  const QString path = QString::fromLocal8Bit(argv[2]);
  const QImage image = shell_qt::RenderProgramIcon(size);
  if (!path.endsWith(QLatin1String(".argb"))) return image.save(path, "PNG") ? 0 : 1;
  QFile file(path);
  const auto bytes = static_cast<qint64>(image.sizeInBytes());
  return file.open(QIODevice::WriteOnly) &&
                 file.write(reinterpret_cast<const char*>(image.constBits()), bytes) == bytes
             ? 0
             : 1;
}
