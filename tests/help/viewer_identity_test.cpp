// The one rule by which both builds tell the help viewer's window from another program's
// window that a stale HANDLE names: alive, the viewer's class, the viewer's program.
#include "game/shell/viewer_identity.h"

#include <gtest/gtest.h>

namespace {

using shell::ViewerLooks;
using shell::WindowFacts;

TEST(ViewerIdentity, OnlyALiveWindowOfTheViewersClassAndProgramIsTheViewer) {
  // Windows: the viewer's window class, and any program file named Leafview.exe.
  const ViewerLooks onWindows{"DeraduLeafview", "Leafview.exe"};
  // Linux: no window classes, and the one program file the game starts.
  const ViewerLooks onLinux{"", "/opt/deradu/Leafview"};
  const struct {
    const char* name;
    WindowFacts window;
    const ViewerLooks& viewer;
    bool isViewer;
  } rows[] = {
      {"the viewer", {true, "DeraduLeafview", "C:/Games/Deradu/Leafview.exe"}, onWindows, true},
      {"the viewer, name in capitals", {true, "DeraduLeafview", "C:/DERADU/LEAFVIEW.EXE"}, onWindows,
       true},
      {"an ended viewer", {false, "DeraduLeafview", "C:/Games/Deradu/Leafview.exe"}, onWindows,
       false},
      {"Notepad", {true, "Notepad", "C:/windows/system32/notepad.exe"}, onWindows, false},
      {"the viewer's class in another program", {true, "DeraduLeafview", "C:/Other/Other.exe"},
       onWindows, false},
      {"another window of the viewer's program", {true, "#32770", "C:/Deradu/Leafview.exe"},
       onWindows, false},
      {"a program whose name only starts alike", {true, "DeraduLeafview", "C:/Leafview.exe.old"},
       onWindows, false},
      {"a process the game may not look into", {true, "DeraduLeafview", ""}, onWindows, false},
      {"the Linux viewer", {true, "", "/opt/deradu/Leafview"}, onLinux, true},
      {"the Linux viewer, path not tidied", {true, "", "/opt/deradu/./Leafview"}, onLinux, true},
      {"an ended Linux viewer", {false, "", "/opt/deradu/Leafview"}, onLinux, false},
      {"a viewer of another folder", {true, "", "/home/me/deradu/Leafview"}, onLinux, false},
      {"a Linux name in other letter case", {true, "", "/opt/deradu/leafview"}, onLinux, false},
      {"another Linux program", {true, "", "/usr/bin/sleep"}, onLinux, false},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(shell::IsViewerWindow(row.window, row.viewer), row.isViewer) << row.name;
  }
}

}  // namespace
