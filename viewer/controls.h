// The help viewer's window as data: its controls with their identifiers and creation
// geometry, the Help menu, and the layout arithmetic that fits them to the window's size.
// Coordinates are client coordinates: x to the right, y down from below the menu bar.
#pragma once

#include <array>
#include <string_view>

namespace viewer {

struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// Control identifiers, as events report them.
enum ControlId : int {
  kBackButton = 1,
  kNextButton = 2,
  kStopButton = 3,
  kAddressField = 4,
  kGoButton = 5,
  kSeparatorLine = 6,
  kBrowserPane = 10,
};

enum class ControlKind { Button, AddressField, Separator };

struct ControlSpec {
  int id;
  ControlKind kind;
  std::string_view caption;
  Rect rect;  // at creation; LayoutViewer gives the address field, Go and the line their places
};

inline constexpr std::array<ControlSpec, 6> kControls = {{
    {kBackButton, ControlKind::Button, "Back", {0, 0, 50, 25}},
    {kNextButton, ControlKind::Button, "Next", {50, 0, 50, 25}},
    {kStopButton, ControlKind::Button, "Stop", {100, 0, 50, 25}},
    {kAddressField, ControlKind::AddressField, "", {155, 5, 0, 20}},
    {kGoButton, ControlKind::Button, "Go", {0, 0, 25, 25}},
    {kSeparatorLine, ControlKind::Separator, "", {0, 30, 0, 2}},
}};

// The HTML pane is created empty under the separator; LayoutViewer sizes it.
inline constexpr Rect kBrowserPaneAtCreation = {0, 31, 0, 0};

// Menu events: the five items of the Help menu, and the Enter key acting as "Go".
enum MenuEvent : int {
  kMenuContents = 0,
  kMenuContact = 1,
  kMenuWebSite = 2,
  kMenuAbout = 3,
  kMenuExit = 4,
  kGoShortcut = 5,
};

inline constexpr std::string_view kWebSite = "http://www.example.org/deradu/";

struct MenuItemSpec {
  int event;
  std::string_view caption;
};

inline constexpr std::string_view kMenuTitle = "Help";
inline constexpr std::array<MenuItemSpec, 5> kMenuItems = {{
    {kMenuContents, "Contents"},
    {kMenuContact, "Contact"},
    {kMenuWebSite, kWebSite},
    {kMenuAbout, "About"},
    {kMenuExit, "Exit"},
}};

struct Placement {
  int id;
  Rect rect;
};

// Where LayoutViewer puts the controls that follow the window's size, given the client width,
// the client height plus the menu bar's height, and the menu bar's height. The pane ends 21
// pixels above the client area's bottom edge, leaving that strip to the status bar.
std::array<Placement, 4> ViewerLayout(int width, int heightWithMenu, int menuBarHeight);

}  // namespace viewer
