// Leafview, the help viewer, on Win32: shows the help document named in the link file beside it.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include "common/settings/executable_path.h"
#include "viewer/viewer_loop.h"
#include "viewer/win32/viewer_window.h"

namespace {

constexpr UINT_PTR kPollTimer = 1;

// Waits for each message; the timer's message reaches the window, which makes it a poll, at
// least once a second, in the loops of message boxes and of a moved window as well. Every
// other message is followed by a poll once the queue is empty, so a burst of them shares one.
void RunMessageLoop(viewer_win32::ViewerWindow& window, viewer::ViewerLoop& loop) {
  SetTimer(window.Window(), kPollTimer, 1000, nullptr);
  MSG message;
  while (loop.Running() && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!window.TranslateKey(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MSG next;
    if (message.message != WM_TIMER && !PeekMessageW(&next, nullptr, 0, 0, PM_NOREMOVE)) {
      loop.Dispatch({viewer::ViewerEvent::Kind::Idle});
    }
  }
  // A quit message that someone else posted ends the loop as the close box would, so that the
  // link file still says no viewer runs.
  if (loop.Running()) loop.Dispatch({viewer::ViewerEvent::Kind::CloseRequest});
  if (window.Window() != nullptr) KillTimer(window.Window(), kPollTimer);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  // The browser control is an OLE control hosted in place: it needs OLE, not only COM.
  OleInitialize(nullptr);
  int result = 1;
  {
    viewer_win32::ViewerWindow window;
    viewer::Viewer viewer(window, settings::ExecutablePath().parent_path());
    viewer::ViewerLoop loop(viewer, nullptr);
    window.onEvent = [&loop](const viewer::ViewerEvent& event) { loop.Dispatch(event); };
    if (loop.Start()) {
      RunMessageLoop(window, loop);
      result = 0;
    }
    // The window outlives the loop; whatever it reports while it is destroyed goes nowhere.
    window.onEvent = nullptr;
  }
  OleUninitialize();
  return result;
}
