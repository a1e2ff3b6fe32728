// The game's main window on Win32: renders the gadget state of engine::Game into native
// controls and turns their notifications into the game's events, one at a time. The game's
// sizes are in 96-DPI units; the window turns them into pixels at its monitor's DPI.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <map>
#include <optional>

#include "game/engine/game.h"
#include "game/shell/event_queue.h"
#include "common/win32/window_dpi.h"
#include "game/shell/win32/accessible_gadgets.h"

namespace shell_win32 {

class MainWindow {
 public:
  // Creates the window with its menus, shortcuts and gadgets, centred at the inner size that
  // game.window holds, and shows it.
  explicit MainWindow(engine::Game& game);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  HWND Handle() const { return window_; }
  // Shows what game.window holds; only what differs from the window is touched.
  void Render();
  // Widget events reach the game only once start-up has finished.
  void EnableDispatch() { events_.Enable(); }
  // Called for a close request that arrives while a command runs.
  void SetCloseWhileBusy(std::function<void()> handler) { closeWhileBusy_ = std::move(handler); }

  // Resizes the inner area (menu bar counted, 96-DPI units), keeping the top-left corner
  // where it is.
  void ResizeInner(int innerWidth, int innerHeight);
  // Waits for window events, and for the chores while one is due, until the game ends.
  void RunEventLoop();
  // Handles the pending window events; false when there was none.
  bool PumpEvents();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void BuildMenus();
  void BuildGadgets();
  HWND AddGadget(int id, const wchar_t* windowClass, const wchar_t* text, DWORD style,
                 DWORD extendedStyle = 0);
  void AddTooltip(int id, const wchar_t* text);
  void OnControl(int id, int code);
  void OnGadgetEvent(int id, int kind);
  void OnSizeMessage(WPARAM kind);
  LRESULT ColorCell(HDC dc, int k);
  LRESULT ColorStatic(HDC dc, HWND control);
  HBRUSH Brush(engine::Rgb rgb);
  void RenderCell(int k, bool first);
  void RenderButtons();
  // Moves the gadgets to the game's geometry at the window's DPI: all, or those whose
  // geometry differs from what was last shown.
  void PlaceGadgets(bool all);
  // Fills the colour squares' images at the window's DPI.
  void PaintSwatches();
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  // The inner size in 96-DPI units: the client area with the menu bar counted.
  SIZE InnerSize() const;
  // The window's outer size in pixels for an inner size in 96-DPI units.
  SIZE OuterSize(int innerWidth, int innerHeight) const;
  bool MoveFocusOnTab(const MSG& message);

  engine::Game& game_;
  shell::EventQueue events_;
  std::function<void()> closeWhileBusy_;
  HWND window_ = nullptr;
  HMENU menuBar_ = nullptr;
  HACCEL accelerators_ = nullptr;
  HWND tooltips_ = nullptr;
  std::array<HWND, engine::kGadgetCount> gadgets_{};
  std::array<HBITMAP, 9> swatches_{};
  UINT dpi_ = 96;
  deradu_win32::GuiFont font_{96};
  deradu_win32::WindowIcons icons_;
  std::map<engine::Rgb, HBRUSH> brushes_;
  // The gadget that had the focus when the window was last deactivated; it gets it back.
  HWND savedFocus_ = nullptr;
  bool minimized_ = false;
  bool writingText_ = false;
  bool ended_ = false;
  // A cell the player typed into is always written back, so that its caret goes before
  // the first character.
  std::optional<int> typedCell_;
  std::optional<engine::MainWindowState> shown_;
  AccessibleGadgets accessible_;
};

}  // namespace shell_win32
