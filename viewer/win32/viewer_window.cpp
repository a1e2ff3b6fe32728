// The help viewer's main window on Win32: menu, status bar, buttons, address field, separator
// line and the browser pane, with the window requests of the viewer's logic.
#include "viewer/win32/viewer_window.h"

#include <commctrl.h>

#include <cstdint>

#include "common/settings/link_file.h"
#include "common/display/display_scale.h"
#include "common/settings/path_text.h"
#include "common/win32/program_resources.h"
#include "viewer/win32/file_url.h"

namespace viewer_win32 {

namespace {

using settings::Utf8ToWide;
using settings::WideToUtf8;

// The game recognises the viewer's window by this class.
const std::wstring kWindowClass = Utf8ToWide(settings::link::kViewerWindowClass);
constexpr DWORD kFrameStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
// The status bar is no control of the logic's; it takes an identifier none of them uses.
constexpr int kStatusBarId = 100;

RECT ToRect(const viewer::Rect& rect) {
  return {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
}

HMENU AsMenuId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

// The frame's size in pixels at dpi around a client area of the given pixels.
SIZE FrameSizeFor(int clientWidth, int clientHeight, UINT dpi) {
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectExForDpi(&frame, kFrameStyle, FALSE, 0, dpi);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

bool RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (GetClassInfoExW(instance, kWindowClass.c_str(), &windowClass)) return true;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(DERADU_PROGRAM_ICON));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass.c_str();
  return RegisterClassExW(&windowClass) != 0;
}

// A minimised window lies far off the screen with no client area; it reopens where it will
// be restored to. That place is given in work-area coordinates (the screen less the task
// bar), and its size includes the frame, which is taken off again as at opening; the size is
// in pixels at dpi.
viewer::WindowMeasures RestoredMeasures(const WINDOWPLACEMENT& placement, UINT dpi) {
  const RECT& normal = placement.rcNormalPosition;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromRect(&normal, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const LONG shiftX = monitor.rcWork.left - monitor.rcMonitor.left;
  const LONG shiftY = monitor.rcWork.top - monitor.rcMonitor.top;
  const SIZE borders = FrameSizeFor(0, 0, dpi);
  return {normal.left + shiftX, normal.top + shiftY, (normal.right - normal.left) - borders.cx,
          (normal.bottom - normal.top) - borders.cy};
}

}  // namespace

ViewerWindow::ViewerWindow() = default;

ViewerWindow::~ViewerWindow() {
  pane_.reset();
  if (accelerators_ != nullptr) DestroyAcceleratorTable(accelerators_);
  if (window_ != nullptr) DestroyWindow(window_);
}

bool ViewerWindow::OpenMainWindow(const viewer::WindowMeasures& place, std::string_view title) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterWindowClass(instance, &ViewerWindow::WindowProcedure)) return false;
  // The client area is asked for without the menu bar, which then takes its height from it.
  // Its size is in 96-DPI units, made pixels at the primary screen's DPI first, and at the
  // window's own DPI once the window knows which screen it is on.
  dpi_ = deradu_win32::SystemDpi();
  const SIZE frame = OuterSize(place.width, place.heightWithMenu);
  POINT topLeft{place.left, place.top};
  // A place stored on a screen that is gone would open the window where nobody can see it.
  const RECT wanted{place.left, place.top, place.left + frame.cx, place.top + frame.cy};
  if (MonitorFromRect(&wanted, MONITOR_DEFAULTTONULL) == nullptr) topLeft = {100, 200};
  window_ = CreateWindowExW(0, kWindowClass.c_str(), Utf8ToWide(title).c_str(), kFrameStyle,
                            topLeft.x, topLeft.y, frame.cx, frame.cy, nullptr, nullptr, instance,
                            this);
  if (window_ == nullptr) return false;
  const UINT dpi = GetDpiForWindow(window_);
  if (dpi != 0 && dpi != dpi_) {
    dpi_ = dpi;
    const SIZE size = OuterSize(place.width, place.heightWithMenu);
    SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  font_.SetDpi(dpi_);
  icons_.Apply(window_, dpi_);
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  return true;
}

bool ViewerWindow::TranslateKey(MSG& message) {
  if (accelerators_ != nullptr && TranslateAcceleratorW(window_, accelerators_, &message)) {
    return true;
  }
  return pane_ != nullptr && pane_->TranslateKey(message);
}

int64_t ViewerWindow::WindowHandle() {
  return static_cast<int64_t>(reinterpret_cast<intptr_t>(window_));
}

viewer::WindowMeasures ViewerWindow::MeasureWindow() {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  viewer::WindowMeasures measures;
  if (IsIconic(window_) && GetWindowPlacement(window_, &placement)) {
    measures = RestoredMeasures(placement, dpi_);
  } else {
    RECT frame{};
    RECT client{};
    GetWindowRect(window_, &frame);
    GetClientRect(window_, &client);
    measures = {frame.left, frame.top, client.right, client.bottom + MenuBarPixels()};
  }
  // The place stays in screen pixels; the size goes in 96-DPI units.
  measures.width = display::FromDevice(measures.width, Dpi());
  measures.heightWithMenu = display::FromDevice(measures.heightWithMenu, Dpi());
  return measures;
}

int ViewerWindow::MenuBarHeight() { return display::FromDevice(MenuBarPixels(), Dpi()); }

int ViewerWindow::MenuBarPixels() const {
  MENUBARINFO bar{};
  bar.cbSize = sizeof bar;
  if (GetMenu(window_) == nullptr || !GetMenuBarInfo(window_, OBJID_MENU, 0, &bar)) return 0;
  return bar.rcBar.bottom - bar.rcBar.top;
}

SIZE ViewerWindow::OuterSize(int width, int heightWithMenu) const {
  return FrameSizeFor(display::ToDevice(width, Dpi()), display::ToDevice(heightWithMenu, Dpi()),
                      dpi_);
}

void ViewerWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  font_.SetDpi(dpi_);
  for (const auto& [id, control] : controls_) {
    if (id != viewer::kBrowserPane) {
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
    }
  }
  if (status_ != nullptr) {
    SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
  }
  icons_.Apply(window_, dpi_);
  // The size event of the new place lays the controls out again at the new DPI.
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  Report(viewer::ViewerEvent::Kind::Resize);
}

void ViewerWindow::CreateMenu(std::string_view title, std::span<const viewer::MenuItemSpec> items) {
  HMENU popup = CreatePopupMenu();
  for (const viewer::MenuItemSpec& item : items) {
    const std::wstring caption = Utf8ToWide(item.caption);
    AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(item.event), caption.c_str());
  }
  HMENU bar = ::CreateMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), Utf8ToWide(title).c_str());
  SetMenu(window_, bar);
}

void ViewerWindow::AddEnterShortcut(int menuEvent) {
  ACCEL enter{FVIRTKEY, VK_RETURN, static_cast<WORD>(menuEvent)};
  if (accelerators_ != nullptr) DestroyAcceleratorTable(accelerators_);
  accelerators_ = CreateAcceleratorTableW(&enter, 1);
}

void ViewerWindow::CreateStatusBar() {
  status_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0,
                            0, 0, window_, AsMenuId(kStatusBarId), GetModuleHandleW(nullptr),
                            nullptr);
  if (status_ != nullptr) {
    SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
    SendMessageW(status_, WM_SIZE, 0, 0);
  }
}

void ViewerWindow::SetStatusText(std::string_view text) {
  if (status_ == nullptr) return;
  const std::wstring wide = Utf8ToWide(text);
  SendMessageW(status_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void ViewerWindow::CreateControl(const viewer::ControlSpec& control) {
  const wchar_t* windowClass = L"BUTTON";
  DWORD style = WS_CHILD | WS_VISIBLE;
  DWORD extendedStyle = 0;
  switch (control.kind) {
    case viewer::ControlKind::Button: style |= WS_TABSTOP | BS_PUSHBUTTON; break;
    case viewer::ControlKind::AddressField:
      windowClass = L"EDIT";
      style |= WS_TABSTOP | ES_AUTOHSCROLL;
      extendedStyle = WS_EX_CLIENTEDGE;
      break;
    case viewer::ControlKind::Separator:
      windowClass = L"STATIC";
      style |= SS_ETCHEDHORZ;
      break;
  }
  const viewer::Rect rect = display::ToDevice(control.rect, Dpi());
  const std::wstring caption = Utf8ToWide(control.caption);
  HWND child = CreateWindowExW(extendedStyle, windowClass, caption.c_str(), style, rect.x, rect.y,
                               rect.width, rect.height, window_, AsMenuId(control.id),
                               GetModuleHandleW(nullptr), nullptr);
  if (child == nullptr) return;
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
  controls_[control.id] = child;
  if (control.kind == viewer::ControlKind::AddressField) address_ = child;
}

void ViewerWindow::MoveControl(int id, const viewer::Rect& place) {
  const auto found = controls_.find(id);
  if (found == controls_.end()) return;
  const viewer::Rect rect = display::ToDevice(place, Dpi());
  SetWindowPos(found->second, nullptr, rect.x, rect.y, rect.width, rect.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string ViewerWindow::AddressText() {
  if (address_ == nullptr) return {};
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(address_)) + 1, L'\0');
  text.resize(static_cast<size_t>(
      GetWindowTextW(address_, text.data(), static_cast<int>(text.size()))));
  return WideToUtf8(text);
}

bool ViewerWindow::CreateHtmlPane(const viewer::Rect& rect, const viewer::HelpPage& page) {
  pane_ = BrowserPane::Create(window_, viewer::kBrowserPane,
                              ToRect(display::ToDevice(rect, Dpi())));
  if (pane_ == nullptr) return false;
  controls_[viewer::kBrowserPane] = pane_->Window();
  ShowHelpPage(page);
  return true;
}

void ViewerWindow::ShowHelpPage(const viewer::HelpPage& page) { Navigate(FileUrl(page)); }

void ViewerWindow::Navigate(std::string_view address) {
  if (pane_ != nullptr) pane_->Navigate(Utf8ToWide(address));
}

void ViewerWindow::GoBack() {
  if (pane_ != nullptr) pane_->GoBack();
}

void ViewerWindow::GoForward() {
  if (pane_ != nullptr) pane_->GoForward();
}

void ViewerWindow::StopLoading() {
  if (pane_ != nullptr) pane_->Stop();
}

void ViewerWindow::BlockPopups() {
  if (pane_ != nullptr) pane_->BlockPopups();
}

void ViewerWindow::BlockContextMenu() {
  if (pane_ != nullptr) pane_->BlockContextMenu();
}

void ViewerWindow::ShowMessage(std::string_view title, std::string_view text, bool errorIcon) {
  MessageBoxW(window_, Utf8ToWide(text).c_str(), Utf8ToWide(title).c_str(),
              MB_OK | (errorIcon ? MB_ICONERROR : 0));
}

LRESULT CALLBACK ViewerWindow::WindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<ViewerWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<ViewerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, w, l);
  return self->OnMessage(message, w, l);
}

LRESULT ViewerWindow::OnMessage(UINT message, WPARAM w, LPARAM l) {
  using Kind = viewer::ViewerEvent::Kind;
  switch (message) {
    case WM_COMMAND:
      // Menu items and the accelerator come without a control window; buttons with theirs.
      if (l == 0) {
        Report(Kind::Menu, LOWORD(w));
      } else if (HIWORD(w) == BN_CLICKED) {
        Report(Kind::Control, LOWORD(w));
      }
      return 0;
    case WM_SIZE:
      if (status_ != nullptr) SendMessageW(status_, WM_SIZE, 0, 0);
      // A minimised window has no client area to lay out; restoring it reports the size again.
      if (w != SIZE_MINIMIZED) Report(Kind::Resize);
      return 0;
    case WM_TIMER:
      Report(Kind::Idle);
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(w), *reinterpret_cast<const RECT*>(l));
      return 0;
    case WM_CLOSE:
      // The window stays until the exit steps have measured it; the program then ends.
      Report(Kind::CloseRequest);
      return 0;
    case WM_NCDESTROY: {
      HWND window = window_;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      window_ = nullptr;
      return DefWindowProcW(window, message, w, l);
    }
    default: break;
  }
  return DefWindowProcW(window_, message, w, l);
}

void ViewerWindow::Report(viewer::ViewerEvent::Kind kind, int id) {
  if (onEvent) onEvent(viewer::ViewerEvent{kind, id});
}

}  // namespace viewer_win32
