// Tarnwick: the Deradu game, on Win32.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "common/settings/executable_path.h"
#include "game/engine/game.h"
#include "game/shell/app.h"
#include "game/shell/win32/main_window.h"
#include "game/shell/win32/win32_platform.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES |
                                                     ICC_PROGRESS_CLASS | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

  shell_win32::Win32Platform platform;
  engine::Game game(platform);
  shell::BeginStartUp(game, settings::ExecutablePath());
  {
    shell_win32::MainWindow window(game);
    platform.SetMainWindow(&window);
    window.SetCloseWhileBusy([&platform] { platform.AbandonSearch(); });

    shell::FinishStartUp(game);
    window.Render();
    window.EnableDispatch();
    window.RunEventLoop();

    shell::ShutdownGame(game);
    platform.SetMainWindow(nullptr);
  }
  CoUninitialize();
  return 0;
}
