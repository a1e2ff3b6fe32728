// The help viewer's window on Win32: the main window with its menu, controls, status bar and
// HTML pane, and the events its window procedure collects for the viewer's logic.
#pragma once

#include <windows.h>

#include <deque>

#include "viewer/viewer.h"
#include "viewer/viewer_platform.h"
#include "viewer/win32/html_view.h"

namespace viewer {

class Win32ViewerPlatform : public ViewerPlatform {
 public:
  Win32ViewerPlatform() = default;
  ~Win32ViewerPlatform() override;

  bool OpenMainWindow(const WindowMeasures& place, std::string_view title) override;
  int64_t WindowHandle() override;
  WindowMeasures MeasureWindow() override;
  int MenuBarHeight() override;
  void CreateMenu(std::string_view title, std::span<const MenuItemSpec> items) override;
  void AddEnterShortcut(int menuEvent) override;
  void CreateStatusBar() override;
  void SetStatusText(std::string_view text) override;
  void CreateControl(const ControlSpec& control) override;
  void MoveControl(int id, const Rect& rect) override;
  std::string AddressText() override;
  bool CreateHtmlPane(const Rect& rect, const HelpPage& page) override;
  void ShowHelpPage(const HelpPage& page) override;
  void Navigate(std::string_view address) override;
  void GoBack() override { pane_.GoBack(); }
  void GoForward() override { pane_.GoForward(); }
  void StopLoading() override { pane_.Stop(); }
  void BlockPopups() override { pane_.BlockPopups(); }
  void BlockContextMenu() override { pane_.BlockContextMenu(); }
  void ShowMessage(std::string_view title, std::string_view text, bool errorIcon) override;

  // Waits at most a second for window messages, dispatches them all, and hands back the
  // events they raised; a timeout or unrelated messages give one Idle event.
  std::deque<ViewerEvent> WaitForEvents();

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  HWND statusBar_ = nullptr;
  HACCEL accelerators_ = nullptr;
  int menuBarHeight_ = 0;
  HtmlView pane_;
  std::deque<ViewerEvent> events_;
};

}  // namespace viewer
