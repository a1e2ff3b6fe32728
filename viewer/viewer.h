// The help viewer's program logic: start-up, one pass of the event loop with its poll of the
// link file, and the exit steps. The window system drives it through ViewerPlatform and
// reports each event it takes; the viewer answers whether the loop goes on.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "viewer/viewer_platform.h"

namespace viewer {

struct Viewer {
  Viewer(ViewerPlatform& platform, const std::filesystem::path& executableFolder);

  ViewerPlatform& platform;
  std::filesystem::path linkPath;  // DataFolder(executable folder) + "Leafview.ini"
  std::string folderText;          // the executable folder, ending in a separator
  std::string helpUrl;             // the help document's address, without an anchor
  std::string title = "Leaf View";
  std::string topic;               // the anchor shown last ("#Rules"), empty for the top
};

struct ViewerEvent {
  enum class Kind {
    Idle,          // a timeout or any other window event: only the poll runs
    Control,       // a control was activated; id is the control
    Menu,          // a menu item or the Enter key; id is the menu event
    Resize,        // the window changed its size
    CloseRequest,  // close box, system menu, Alt+F4 or the game's close request
  };
  Kind kind = Kind::Idle;
  int id = 0;
};

enum class StartResult { Running, Ended };

// Start-up: reads the link file, builds the window with its menu, controls and HTML pane at
// the requested topic, and acknowledges with LASTTIME = "999" and HANDLE. Ended when the
// viewer has nothing to show or cannot show it; the program then ends.
StartResult StartViewer(Viewer& viewer);
// One pass of the event loop: the event's action, then the poll of the link file. False
// when the loop ends; the caller then runs ExitViewer with the window still open.
bool HandleEvent(Viewer& viewer, const ViewerEvent& event);
// Records in the link file that no viewer runs, with the window's place and size.
void ExitViewer(Viewer& viewer);

// "file:///" + folder + file; a folder that starts with "/" gives "file://" + folder + file.
std::string HelpUrl(std::string_view folder, std::string_view helpFile);
// The text after the last slash or backslash.
std::string_view FilePart(std::string_view address);
std::string AboutText();
void LayoutViewer(Viewer& viewer);

}  // namespace viewer
