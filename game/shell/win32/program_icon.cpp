// The program's icon, a 32 x 32 picture of the board drawn at start-up.
#include "game/shell/win32/program_icon.h"

namespace shell_win32 {

HICON MakeProgramIcon() {
  constexpr int kSide = 32;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kSide;
  info.bmiHeader.biHeight = kSide;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  void* bits = nullptr;
  HBITMAP color = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, color);

  RECT all{0, 0, kSide, kSide};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  // Ten grid lines each way, the box borders thicker, and one red cell in the middle box.
  for (int i = 0; i <= 9; ++i) {
    const int at = 1 + i * 10 / 3;
    const int thickness = i % 3 == 0 ? 2 : 1;
    RECT across{1, at, kSide - 1, at + thickness};
    RECT down{at, 1, at + thickness, kSide - 1};
    FillRect(dc, &across, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    FillRect(dc, &down, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  RECT middle{12, 12, 21, 21};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &middle, red);
  DeleteObject(red);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);

  // An all-zero mask: every pixel is opaque.
  HBITMAP mask = CreateBitmap(kSide, kSide, 1, 1, nullptr);
  HDC maskDc = CreateCompatibleDC(nullptr);
  HGDIOBJ oldMask = SelectObject(maskDc, mask);
  PatBlt(maskDc, 0, 0, kSide, kSide, BLACKNESS);
  SelectObject(maskDc, oldMask);
  DeleteDC(maskDc);

  ICONINFO icon{};
  icon.fIcon = TRUE;
  icon.hbmMask = mask;
  icon.hbmColor = color;
  HICON result = CreateIconIndirect(&icon);
  DeleteObject(mask);
  DeleteObject(color);
  return result;
}

}  // namespace shell_win32
