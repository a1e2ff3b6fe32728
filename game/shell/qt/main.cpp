// Tarnwick: the Deradu game.
#include <QApplication>

#include "common/qt/desktop_activation.h"
#include "common/qt/qt_path.h"
#include "game/engine/game.h"
#include "game/shell/app.h"
#include "game/shell/qt/caret_blink.h"
#include "game/shell/qt/chevron_style.h"
#include "game/shell/qt/main_window.h"
#include "game/shell/qt/qt_platform.h"

int main(int argc, char* argv[]) {
  // The menus stay in the window on every desktop; this also spares connecting to the
  // session bus, to look for a global menu bar, before the window shows.
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
  QApplication application(argc, argv);
  application.setQuitOnLastWindowClosed(false);
  // The desktop matches the window to the menu entry by this name (the Wayland app id); on
  // X11 by the window class, the program's name, which the entry names too. The name is set
  // since Qt would take it from the command, the lower-case link that starts the game.
  QGuiApplication::setDesktopFileName(QStringLiteral(DERADU_DESKTOP_FILE_NAME));
  QCoreApplication::setApplicationName(QStringLiteral("Tarnwick"));
  QApplication::setStyle(new shell_qt::ChevronStyle);
  shell_qt::CaretBlinkLimit caretBlink;

  shell_qt::QtPlatform platform;
  engine::Game game(platform);
  shell::BeginStartUp(game, qt_path::ToPath(QCoreApplication::applicationFilePath()));

  shell_qt::MainWindow window(game);
  platform.SetMainWindow(&window);
  window.SetCloseWhileBusy([&platform] { platform.AbandonSearch(); });
  window.show();
  // Started from the desktop's menu on Wayland: the compositor's token gives the window the
  // focus.
  desktop_activation::Activate(window.windowHandle(), desktop_activation::TakeStartToken());

  shell::FinishStartUp(game);
  window.Render();
  window.EnableDispatch();
  application.exec();

  shell::ShutdownGame(game);
  return 0;
}
