// Another program's window for the wine tests of the game's window requests. Modes:
//   find CLASS     prints the handle of a window of that class (0 when there is none);
//   open CLASS     opens a window of that class, prints its handle, and counts the close
//                  requests it gets, staying open; it prints "close requests: N" and ends
//                  when asked to report;
//   report HANDLE  asks that window to report. The report request is posted after whatever
//                  was posted to the window before, so the count covers all of those.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr UINT kReport = WM_APP + 1;
int closeRequests = 0;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_CLOSE) {
    ++closeRequests;
    return 0;
  }
  if (message == kReport) {
    std::printf("close requests: %d\n", closeRequests);
    std::fflush(stdout);
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, w, l);
}

void PrintHandle(HWND window) {
  std::printf("%lld\n", static_cast<long long>(reinterpret_cast<INT_PTR>(window)));
  std::fflush(stdout);
}

int Open(const wchar_t* className) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = className;
  if (RegisterClassW(&windowClass) == 0) return 1;
  HWND window = CreateWindowExW(0, className, L"Foreign window", WS_OVERLAPPEDWINDOW, 500, 400,
                                200, 150, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, SW_SHOWNORMAL);
  PrintHandle(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  const std::wstring mode = argv[1];
  if (mode == L"find") {
    PrintHandle(FindWindowW(argv[2], nullptr));
    return 0;
  }
  if (mode == L"open") return Open(argv[2]);
  if (mode == L"report") {
    HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::wcstoll(argv[2], nullptr, 10)));
    return PostMessageW(window, kReport, 0, 0) ? 0 : 1;
  }
  return 2;
}
