// The search's progress window.
#include "game/shell/win32/progress_window.h"

#include <commctrl.h>

#include "common/display/display_scale.h"
#include "common/win32/window_dpi.h"
#include "game/engine/ids.h"

namespace shell_win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"DeraduProgressWindow";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExtendedStyle = WS_EX_TOPMOST;

}  // namespace

ProgressWindow::ProgressWindow(HWND owner) : owner_(owner) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExW(&windowClass);  // fails harmlessly once registered

  // Sizes in 96-DPI units, in pixels at the DPI of the game's window.
  const UINT dpi = owner_ != nullptr ? GetDpiForWindow(owner_) : deradu_win32::SystemDpi();
  auto pixels = [dpi](int measure) { return display::ToDevice(measure, static_cast<int>(dpi)); };
  RECT frame{0, 0, pixels(300), pixels(40)};
  AdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExtendedStyle, dpi);
  window_ = CreateWindowExW(kExtendedStyle, kWindowClass, L"Deradu - Progress Window", kStyle, 100,
                            200, frame.right - frame.left, frame.bottom - frame.top, owner_,
                            nullptr, instance, this);
  bar_ = CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, pixels(10), pixels(10),
                         pixels(280), pixels(20), window_,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(engine::kProgressBar)),
                         instance, nullptr);
  SendMessageW(bar_, PBM_SETRANGE32, 0, 81);
  EnableWindow(owner_, FALSE);
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
}

ProgressWindow::~ProgressWindow() {
  SetWindowPos(window_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  // The owner is enabled first, so that it can take the activation from the closing window.
  EnableWindow(owner_, TRUE);
  DestroyWindow(window_);
  SetActiveWindow(owner_);
}

void ProgressWindow::SetValue(int value) { SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(value), 0); }

LRESULT CALLBACK ProgressWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  }
  auto* self = reinterpret_cast<ProgressWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_CLOSE && self != nullptr) {
    // The search notices the request at its next update and closes the window itself.
    self->closeRequested_ = true;
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace shell_win32
