// Prints, for the wine tests, what a person sees of another program's window at the display's
// DPI: its client size, the height of one row of a menu bar at that DPI, and the bottom of its
// child window with a given identifier, in client pixels. (Wine answers no questions about
// another process's menu, so the menu bar's height is the window's less its client area.)
// Usage: window_measures TITLE CHILD_ID
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  // Measures in the window's own pixels, as a program aware of each monitor's DPI sees them.
  SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  HWND window = FindWindowW(nullptr, argv[1]);
  if (window == nullptr) return 1;
  RECT client{};
  GetClientRect(window, &client);
  RECT child{};
  HWND gadget = GetDlgItem(window, static_cast<int>(std::wcstol(argv[2], nullptr, 10)));
  if (gadget != nullptr) {
    GetWindowRect(gadget, &child);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&child), 2);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  std::printf("client_width=%ld client_height=%ld menu_row=%d child_bottom=%ld\n", client.right,
              client.bottom, GetSystemMetricsForDpi(SM_CYMENU, static_cast<UINT>(dpi)),
              child.bottom);
  return 0;
}
