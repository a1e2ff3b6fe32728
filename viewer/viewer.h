// The help viewer's program logic: start-up, one pass of the event loop with its poll of the
// link file, and the exit steps. The window system drives it through ViewerPlatform and
// reports each event it takes; the viewer answers whether the loop goes on.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "viewer/viewer_platform.h"

namespace viewer {

// A request as the link file held it: its two keys' texts and the file's last change.
struct LinkRequest {
  std::string lastTime;
  std::string lastHelp;
  std::filesystem::file_time_type changed;  // min() when the file has none (it is missing)
  friend bool operator==(const LinkRequest&, const LinkRequest&) = default;
};

struct Viewer {
  Viewer(ViewerPlatform& platform, const std::filesystem::path& executableFolder);

  ViewerPlatform& platform;
  std::filesystem::path executableFolder;
  std::filesystem::path linkPath;      // DataFolder(executable folder) + "Leafview.ini"
  std::filesystem::path helpDocument;  // executable folder + HelpFile
  std::string title = "Leaf View";
  std::string topic;                   // the anchor shown last ("#Rules"), empty for the top
  // The request served last when its "999" could not be written (a read-only link file, a
  // full disk): the file still holds it, and it is not served again until the file changes.
  std::optional<LinkRequest> unacknowledged;
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
// viewer has nothing to show or cannot show it, or when the game asked it to quit while it
// was starting; the program then ends.
StartResult StartViewer(Viewer& viewer);
// One pass of the event loop: the event's action, then the poll of the link file. False
// when the loop ends; the caller then runs ExitViewer with the window still open.
bool HandleEvent(Viewer& viewer, const ViewerEvent& event);
// Records in the link file that no viewer runs, with the window's place and size.
void ExitViewer(Viewer& viewer);
// The desktop's token that the game left with its request to come to the front, taken from
// the link file once (the desktop honours a token only once); empty when there is none.
std::string TakeActivationToken(Viewer& viewer);

// The text after the last slash or backslash.
std::string_view FilePart(std::string_view address);
std::string AboutText();
void LayoutViewer(Viewer& viewer);

}  // namespace viewer
