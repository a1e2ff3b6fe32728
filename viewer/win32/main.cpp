// Leafview, the help viewer: shows the help document named in the link file beside it.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include "common/settings/executable_path.h"
#include "viewer/viewer.h"
#include "viewer/win32/win32_viewer_platform.h"

namespace {

// Each pass takes the events of one wait; the loop ends when the viewer says so.
void RunEventLoop(viewer::Viewer& viewer, viewer::Win32ViewerPlatform& platform) {
  while (true) {
    for (const viewer::ViewerEvent& event : platform.WaitForEvents()) {
      if (!viewer::HandleEvent(viewer, event)) return;
    }
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  // The browser control is an apartment-threaded ActiveX control.
  OleInitialize(nullptr);
  int result = 1;
  {
    viewer::Win32ViewerPlatform platform;
    viewer::Viewer viewer(platform, settings::ExecutablePath().parent_path());
    if (viewer::StartViewer(viewer) == viewer::StartResult::Running) {
      RunEventLoop(viewer, platform);
      viewer::ExitViewer(viewer);
      result = 0;
    }
  }
  OleUninitialize();
  return result;
}
