// The platform's GUI font and the program's icon at a window's DPI.
#include "common/win32/window_dpi.h"

#include "common/win32/program_resources.h"

namespace deradu_win32 {

UINT SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

GuiFont::~GuiFont() {
  if (owned_) DeleteObject(font_);
}

void GuiFont::SetDpi(UINT dpi) {
  HFONT stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HFONT font = stock;
  // The stock font is made for the system's DPI; another DPI gets the same face at the height
  // that DPI gives it.
  const UINT system = SystemDpi();
  LOGFONTW face{};
  if (dpi != system && GetObjectW(stock, sizeof face, &face) == sizeof face) {
    face.lfHeight = MulDiv(face.lfHeight, static_cast<int>(dpi), static_cast<int>(system));
    HFONT scaled = CreateFontIndirectW(&face);
    if (scaled != nullptr) font = scaled;
  }
  if (owned_) DeleteObject(font_);
  font_ = font;
  owned_ = font != stock;
}

WindowIcons::~WindowIcons() { Release(); }

void WindowIcons::Release() {
  if (big_ != nullptr) DestroyIcon(big_);
  if (small_ != nullptr) DestroyIcon(small_);
  big_ = small_ = nullptr;
}

void WindowIcons::Apply(HWND window, UINT dpi) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  auto load = [instance, dpi](int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(DERADU_PROGRAM_ICON),
                                         IMAGE_ICON, GetSystemMetricsForDpi(widthMetric, dpi),
                                         GetSystemMetricsForDpi(heightMetric, dpi), 0));
  };
  HICON big = load(SM_CXICON, SM_CYICON);
  HICON small = load(SM_CXSMICON, SM_CYSMICON);
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  // The window holds the new icons now; the old ones can go.
  Release();
  big_ = big;
  small_ = small;
}

}  // namespace deradu_win32
