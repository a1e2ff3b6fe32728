// What a Win32 window that follows its monitor's DPI takes from the system at that DPI: the
// platform's GUI font and the program's icon at the sizes the window frame and task bar show.
#pragma once

#include <windows.h>

namespace deradu_win32 {

// The DPI of the primary display, the one a window is placed by before it exists.
UINT SystemDpi();

// The platform's default GUI font at a DPI. At the system's DPI it is the stock font itself.
class GuiFont {
 public:
  explicit GuiFont(UINT dpi) { SetDpi(dpi); }
  ~GuiFont();
  GuiFont(const GuiFont&) = delete;
  GuiFont& operator=(const GuiFont&) = delete;

  void SetDpi(UINT dpi);
  HFONT Handle() const { return font_; }

 private:
  HFONT font_ = nullptr;
  bool owned_ = false;
};

// The program's icon resource as a window's big and small icon at a DPI.
class WindowIcons {
 public:
  WindowIcons() = default;
  ~WindowIcons();
  WindowIcons(const WindowIcons&) = delete;
  WindowIcons& operator=(const WindowIcons&) = delete;

  // Loads the icons for dpi and gives them to the window.
  void Apply(HWND window, UINT dpi);

 private:
  void Release();
  HICON big_ = nullptr;
  HICON small_ = nullptr;
};

}  // namespace deradu_win32
