// Build tool: writes the program's icon as a PNG of the given size, for the desktop's icon
// theme. Usage: render_icon SIZE FILE.png
#include <QGuiApplication>
#include <QString>

#include "game/shell/qt/program_icon.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const int size = QString::fromLocal8Bit(argv[1]).toInt();
  if (size <= 0) return 2;
  return shell_qt::RenderProgramIcon(size).save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
}
