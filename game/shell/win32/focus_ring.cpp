// The keyboard focus mark of every gadget of the main window.
#include "game/shell/win32/focus_ring.h"

#include <commctrl.h>

#include "common/display/display_scale.h"
#include "game/shell/contrast.h"

namespace shell_win32 {
namespace {

using Face = std::function<engine::Rgb()>;

void Draw(HWND gadget, const Face& face) {
  const int dpi = static_cast<int>(GetDpiForWindow(gadget));
  // The client area of a cell lies inside its sunken edge; a button paints its bevel inside
  // its client area.
  RECT edge{};
  GetClientRect(gadget, &edge);
  if ((GetWindowLongPtrW(gadget, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) == 0) {
    const int bevel = GetSystemMetricsForDpi(SM_CXEDGE, static_cast<UINT>(dpi));
    InflateRect(&edge, -bevel, -bevel);
  }
  const int width = display::ToDevice(3, dpi);
  // Only the three colour bytes, as the cells' colours are given.
  HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(shell::FocusRingColor(face())) & 0xFFFFFF);
  HDC dc = GetDC(gadget);
  const RECT sides[] = {{edge.left, edge.top, edge.right, edge.top + width},
                        {edge.left, edge.bottom - width, edge.right, edge.bottom},
                        {edge.left, edge.top, edge.left + width, edge.bottom},
                        {edge.right - width, edge.top, edge.right, edge.bottom}};
  for (const RECT& side : sides) FillRect(dc, &side, brush);
  ReleaseDC(gadget, dc);
  DeleteObject(brush);
}

LRESULT CALLBACK RingProc(HWND gadget, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR data) {
  auto* face = reinterpret_cast<Face*>(data);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(gadget, RingProc, 0);
    delete face;
    return DefSubclassProc(gadget, message, wParam, lParam);
  }
  const LRESULT result = DefSubclassProc(gadget, message, wParam, lParam);
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      // The whole gadget is drawn again, with the ring or without it.
      InvalidateRect(gadget, nullptr, TRUE);
      break;
    case WM_PAINT:
    // A button draws its pressed or checked look, and its caption, at once rather than
    // through a paint event.
    case BM_SETSTATE:
    case BM_SETCHECK:
    case WM_SETTEXT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (GetFocus() == gadget) Draw(gadget, *face);
      break;
    default: break;
  }
  return result;
}

}  // namespace

void AddFocusRing(HWND gadget, Face face) {
  SetWindowSubclass(gadget, RingProc, 0, reinterpret_cast<DWORD_PTR>(new Face(std::move(face))));
}

}  // namespace shell_win32
