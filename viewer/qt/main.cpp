// Leafview, the help viewer: shows the help document named in the link file beside it.
#include <QApplication>

#include "common/qt/qt_path.h"
#include "viewer/qt/viewer_app.h"

int main(int argc, char** argv) {
  // The web engine shares its OpenGL contexts with the widgets; this must precede the
  // application object.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  application.setQuitOnLastWindowClosed(false);
  viewer::ViewerApp viewer(qt_path::ToPath(QCoreApplication::applicationDirPath()));
  // Not quit(): that asks the window to close first, and the window leaves closing to the
  // exit steps, which are done by now.
  QObject::connect(&viewer, &viewer::ViewerApp::finished, &application,
                   [] { QCoreApplication::exit(0); });
  if (!viewer.Start()) return 1;
  return application.exec();
}
