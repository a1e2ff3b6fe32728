// Leafview, the help viewer: shows the help document named in the link file beside it.
#include <QApplication>

#include "common/qt/qt_path.h"
#include "common/qt/window_icon.h"
#include "viewer/qt/viewer_app.h"

int main(int argc, char** argv) {
  // The web engine shares its OpenGL contexts with the widgets; this must precede the
  // application object.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  application.setQuitOnLastWindowClosed(false);
  // The viewer's own hidden desktop entry names its windows for the desktop (the Wayland app
  // id; on X11 the window class, the program's name); they carry the game's icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(DERADU_DESKTOP_FILE_NAME));
  QCoreApplication::setApplicationName(QStringLiteral("Leafview"));
  QApplication::setWindowIcon(shell_qt::ProgramIcon());
  viewer::ViewerApp viewer(qt_path::ToPath(QCoreApplication::applicationDirPath()));
  // Not quit(): that asks the window to close first, and the window leaves closing to the
  // exit steps, which are done by now.
  QObject::connect(&viewer, &viewer::ViewerApp::finished, &application,
                   [] { QCoreApplication::exit(0); });
  if (!viewer.Start()) return 1;
  return application.exec();
}
