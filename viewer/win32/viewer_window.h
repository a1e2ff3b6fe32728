// The help viewer's main window on Win32: the platform the viewer's logic drives. Controls
// are child windows at the places the logic gives them, in the client area below the menu
// bar; every control, menu, size, close and timer message is handed to one event handler.
// The logic's sizes are in 96-DPI units; the window turns them into pixels at its monitor's
// DPI (screen positions stay in pixels).
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>

#include "common/win32/window_dpi.h"
#include "viewer/viewer.h"
#include "viewer/viewer_platform.h"
#include "viewer/win32/browser_pane.h"

namespace viewer_win32 {

class ViewerWindow : public viewer::ViewerPlatform {
 public:
  ViewerWindow();
  ~ViewerWindow() override;
  ViewerWindow(const ViewerWindow&) = delete;
  ViewerWindow& operator=(const ViewerWindow&) = delete;

  // Receives control, menu, resize, close-request and timer events.
  std::function<void(const viewer::ViewerEvent&)> onEvent;

  HWND Window() const { return window_; }
  // Handles the message before it is dispatched when it is the Enter key (menu event 5) or a
  // key for the page; true when it needs no dispatch.
  bool TranslateKey(MSG& message);

  bool OpenMainWindow(const viewer::WindowMeasures& place, std::string_view title) override;
  int64_t WindowHandle() override;
  viewer::WindowMeasures MeasureWindow() override;
  int MenuBarHeight() override;
  void CreateMenu(std::string_view title, std::span<const viewer::MenuItemSpec> items) override;
  void AddEnterShortcut(int menuEvent) override;
  void CreateStatusBar() override;
  void SetStatusText(std::string_view text) override;
  void CreateControl(const viewer::ControlSpec& control) override;
  void MoveControl(int id, const viewer::Rect& rect) override;
  std::string AddressText() override;
  bool CreateHtmlPane(const viewer::Rect& rect, const viewer::HelpPage& page) override;
  void ShowHelpPage(const viewer::HelpPage& page) override;
  void Navigate(std::string_view address) override;
  void GoBack() override;
  void GoForward() override;
  void StopLoading() override;
  void BlockPopups() override;
  void BlockContextMenu() override;
  void ShowMessage(std::string_view title, std::string_view text, bool errorIcon) override;

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT OnMessage(UINT message, WPARAM w, LPARAM l);
  void Report(viewer::ViewerEvent::Kind kind, int id = 0);
  int Dpi() const { return static_cast<int>(dpi_); }
  int MenuBarPixels() const;
  // The outer size in pixels for a client size (menu bar counted) in 96-DPI units.
  SIZE OuterSize(int width, int heightWithMenu) const;
  void OnDpiChanged(UINT dpi, const RECT& suggested);

  HWND window_ = nullptr;
  UINT dpi_ = 96;
  deradu_win32::GuiFont font_{96};
  deradu_win32::WindowIcons icons_;
  HWND status_ = nullptr;
  HWND address_ = nullptr;
  HACCEL accelerators_ = nullptr;
  std::map<int, HWND> controls_;
  std::unique_ptr<BrowserPane> pane_;
};

}  // namespace viewer_win32
