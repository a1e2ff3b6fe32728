// The keyboard focus mark of every gadget of the main window.
#include "game/shell/win32/focus_ring.h"

#include <commctrl.h>

#include "common/display/display_scale.h"
#include "game/shell/contrast.h"

namespace shell_win32 {
namespace {

// Draws the ring over the gadget's pixels inside region, which holds only what the control
// has just painted: a pixel it did not paint may already be the ring's.
void Draw(HWND gadget, HRGN region) {
  const int dpi = static_cast<int>(GetDpiForWindow(gadget));
  // The client area of a cell lies inside its sunken edge. A button paints its bevel inside
  // its client area: the ring leaves the bevel's outer line, which outlines the button.
  RECT edge{};
  GetClientRect(gadget, &edge);
  if ((GetWindowLongPtrW(gadget, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) == 0) {
    const int outline = display::ToDevice(1, dpi);
    InflateRect(&edge, -outline, -outline);
  }
  const int width = display::ToDevice(3, dpi);
  const int w = edge.right - edge.left;
  const int h = edge.bottom - edge.top;
  if (w <= 0 || h <= 0) return;

  HDC dc = GetDC(gadget);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, dc, edge.left, edge.top, SRCCOPY);
  GdiFlush();
  // A DIB pixel is blue, green, red, unused; the ring's is black or white.
  auto* pixel = static_cast<unsigned char*>(bits);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x, pixel += 4) {
      if (x >= width && x < w - width && y >= width && y < h - width) continue;
      const engine::Rgb ring = shell::FocusRingColor(engine::RgbOf(pixel[2], pixel[1], pixel[0]));
      pixel[0] = pixel[1] = pixel[2] = static_cast<unsigned char>(ring & 0xFF);
    }
  }
  if (region != nullptr) SelectClipRgn(dc, region);
  BitBlt(dc, edge.left, edge.top, w, h, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
  ReleaseDC(gadget, dc);
}

LRESULT CALLBACK RingProc(HWND gadget, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR) {
  switch (message) {
    case WM_NCDESTROY:
      RemoveWindowSubclass(gadget, RingProc, 0);
      break;

    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const LRESULT result = DefSubclassProc(gadget, message, wParam, lParam);
      // The whole gadget is drawn again, with the ring or without it.
      InvalidateRect(gadget, nullptr, TRUE);
      return result;
    }
    case WM_PAINT: {
      if (GetFocus() != gadget) break;
      HRGN painted = CreateRectRgn(0, 0, 0, 0);
      const bool some = GetUpdateRgn(gadget, painted, FALSE) != NULLREGION;
      const LRESULT result = DefSubclassProc(gadget, message, wParam, lParam);
      if (some) Draw(gadget, painted);
      DeleteObject(painted);
      return result;
    }
    // A button draws its pressed or checked look, and its caption, at once rather than
    // through a paint event: the whole gadget is drawn again, the ring over it.
    case BM_SETSTATE:
    case BM_SETCHECK:
    case WM_SETTEXT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP: {
      const LRESULT result = DefSubclassProc(gadget, message, wParam, lParam);
      if (GetFocus() == gadget) InvalidateRect(gadget, nullptr, FALSE);
      return result;
    }
    default: break;
  }
  return DefSubclassProc(gadget, message, wParam, lParam);
}

}  // namespace

void AddFocusRing(HWND gadget) { SetWindowSubclass(gadget, RingProc, 0, 0); }

}  // namespace shell_win32
