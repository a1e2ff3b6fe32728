// How the game tells the help viewer's window from any other window that a stale HANDLE in the
// link file may name once the viewer has ended and the number has been given out again. The
// platform gathers the facts about the named window; the rule that judges them is the same on
// every platform, so that no request ever reaches another program.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace shell {

// What the platform found out about the window a handle names.
struct WindowFacts {
  bool alive = false;             // the window exists (where the handle is a process: it runs)
  std::string windowClass;        // the window's class name; empty where windows have none
  std::filesystem::path program;  // the program file its process runs, as the system names it
};

// What the viewer's window looks like on a platform.
struct ViewerLooks {
  std::string_view windowClass;   // the viewer's own class; empty where windows have none
  // A bare file name ("Leafview.exe") stands for that program in any folder, letter case aside,
  // as Windows compares file names; a full path stands for that one program file.
  std::filesystem::path program;
};

// A window is the viewer's when it is alive, has the viewer's class and its process runs the
// viewer program.
bool IsViewerWindow(const WindowFacts& window, const ViewerLooks& viewer);

}  // namespace shell
