// The seam between the help viewer's logic and its window system and HTML engine. The Qt
// part implements it; tests use a recording fake. Nothing here knows about any toolkit.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "viewer/controls.h"

namespace viewer {

// The measures that the viewer stores at its exit and opens its window with next time.
struct WindowMeasures {
  int left = 0, top = 0;     // outer frame, screen coordinates
  int width = 0;             // client width
  int heightWithMenu = 0;    // client height plus the menu bar's height
  // False where the window system keeps windows' places to itself (Wayland): left and top
  // then mean nothing and are not stored.
  bool placeKnown = true;
  friend bool operator==(const WindowMeasures&, const WindowMeasures&) = default;
};

// A place in the help document: its file and a topic anchor ("#Rules"; empty for the top).
// The platform turns it into an address itself, so that no character of the folder's name
// (a "#", a "%", a letter like "ë") is ever read as part of an address's syntax.
struct HelpPage {
  std::filesystem::path document;
  std::string topic;
};

class ViewerPlatform {
 public:
  virtual ~ViewerPlatform() = default;

  // The main window: opened with its outer top-left corner at the given place, a client area
  // (which the menu bar then shares) of the given size, and the title; false when it cannot
  // be opened.
  virtual bool OpenMainWindow(const WindowMeasures& place, std::string_view title) = 0;
  // What identifies the window to the game's window requests (written to HANDLE).
  virtual int64_t WindowHandle() = 0;
  virtual WindowMeasures MeasureWindow() = 0;
  virtual int MenuBarHeight() = 0;

  virtual void CreateMenu(std::string_view title, std::span<const MenuItemSpec> items) = 0;
  // The Enter key pressed while the window is active raises this menu event.
  virtual void AddEnterShortcut(int menuEvent) = 0;
  virtual void CreateStatusBar() = 0;
  virtual void SetStatusText(std::string_view text) = 0;
  virtual void CreateControl(const ControlSpec& control) = 0;
  virtual void MoveControl(int id, const Rect& rect) = 0;
  // What the user typed into the address field.
  virtual std::string AddressText() = 0;

  // The HTML pane: created blank, then sent to the page; false when no HTML engine can be
  // loaded.
  virtual bool CreateHtmlPane(const Rect& rect, const HelpPage& page) = 0;
  virtual void ShowHelpPage(const HelpPage& page) = 0;
  // An address as the user typed it, or the web site's; an empty address does nothing.
  virtual void Navigate(std::string_view address) = 0;
  virtual void GoBack() = 0;
  virtual void GoForward() = 0;
  virtual void StopLoading() = 0;
  // Requests of a page to open a new window are refused from here on.
  virtual void BlockPopups() = 0;
  // Right-clicking in the page shows no menu from here on.
  virtual void BlockContextMenu() = 0;

  // Modal message box with the OK button, with the error icon or none.
  virtual void ShowMessage(std::string_view title, std::string_view text, bool errorIcon) = 0;
};

}  // namespace viewer
