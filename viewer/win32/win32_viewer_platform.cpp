// The help viewer's Win32 window.
#include "viewer/win32/win32_viewer_platform.h"

#include <commctrl.h>
#include <shlwapi.h>
#include <wininet.h>

#include <string>

#include "common/settings/path_text.h"

namespace viewer {

namespace {

using settings::Utf8ToWide;

constexpr wchar_t kWindowClass[] = L"LeafviewWindow";
// Menu events travel as command identifiers above every control's.
constexpr int kMenuCommandBase = 100;
constexpr DWORD kFrameStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr UINT kPollMilliseconds = 1000;

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

}  // namespace

Win32ViewerPlatform::~Win32ViewerPlatform() {
  if (accelerators_ != nullptr) DestroyAcceleratorTable(accelerators_);
}

bool Win32ViewerPlatform::OpenMainWindow(const WindowMeasures& place, std::string_view title) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = Instance();
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExW(&windowClass);
  // The outer size that gives the requested client area before the menu bar takes its share.
  RECT frame{0, 0, place.width, place.heightWithMenu};
  AdjustWindowRectEx(&frame, kFrameStyle, FALSE, 0);
  window_ = CreateWindowExW(0, kWindowClass, Utf8ToWide(title).c_str(), kFrameStyle, place.left,
                            place.top, frame.right - frame.left, frame.bottom - frame.top,
                            nullptr, nullptr, Instance(), this);
  if (window_ == nullptr) return false;
  ShowWindow(window_, SW_SHOWNORMAL);
  return true;
}

int64_t Win32ViewerPlatform::WindowHandle() {
  return static_cast<int64_t>(reinterpret_cast<intptr_t>(window_));
}

WindowMeasures Win32ViewerPlatform::MeasureWindow() {
  RECT outer{}, client{};
  GetWindowRect(window_, &outer);
  GetClientRect(window_, &client);
  return {outer.left, outer.top, client.right, client.bottom + MenuBarHeight()};
}

int Win32ViewerPlatform::MenuBarHeight() { return menuBarHeight_; }

void Win32ViewerPlatform::CreateMenu(std::string_view title, std::span<const MenuItemSpec> items) {
  HMENU bar = ::CreateMenu();
  HMENU popup = CreatePopupMenu();
  for (const MenuItemSpec& item : items) {
    AppendMenuW(popup, MF_STRING, kMenuCommandBase + item.event,
                Utf8ToWide(item.caption).c_str());
  }
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), Utf8ToWide(title).c_str());
  // The bar's height is what it takes out of the client area, its lower edge line included.
  RECT before{}, after{};
  GetClientRect(window_, &before);
  SetMenu(window_, bar);
  GetClientRect(window_, &after);
  menuBarHeight_ = before.bottom - after.bottom;
}

void Win32ViewerPlatform::AddEnterShortcut(int menuEvent) {
  ACCEL enter{FVIRTKEY, VK_RETURN, static_cast<WORD>(kMenuCommandBase + menuEvent)};
  accelerators_ = CreateAcceleratorTableW(&enter, 1);
}

void Win32ViewerPlatform::CreateStatusBar() {
  statusBar_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                               window_, nullptr, Instance(), nullptr);
}

void Win32ViewerPlatform::SetStatusText(std::string_view text) {
  SendMessageW(statusBar_, SB_SETTEXTW, 0,
               reinterpret_cast<LPARAM>(Utf8ToWide(text).c_str()));
}

void Win32ViewerPlatform::CreateControl(const ControlSpec& control) {
  const wchar_t* windowClass = L"BUTTON";
  DWORD style = WS_CHILD | WS_VISIBLE;
  DWORD extendedStyle = 0;
  switch (control.kind) {
    case ControlKind::Button: style |= BS_PUSHBUTTON | WS_TABSTOP; break;
    case ControlKind::AddressField:
      windowClass = L"EDIT";
      style |= ES_AUTOHSCROLL | WS_TABSTOP;
      extendedStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Separator:
      windowClass = L"STATIC";
      style |= SS_ETCHEDHORZ;
      break;
  }
  const Rect& r = control.rect;
  CreateWindowExW(extendedStyle, windowClass, Utf8ToWide(control.caption).c_str(), style, r.x,
                  r.y, r.width, r.height, window_,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), Instance(),
                  nullptr);
}

void Win32ViewerPlatform::MoveControl(int id, const Rect& rect) {
  HWND control = id == kBrowserPane ? pane_.Window() : GetDlgItem(window_, id);
  if (control != nullptr) MoveWindow(control, rect.x, rect.y, rect.width, rect.height, TRUE);
}

std::string Win32ViewerPlatform::AddressText() {
  HWND field = GetDlgItem(window_, kAddressField);
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
  return settings::WideToUtf8(text);
}

bool Win32ViewerPlatform::CreateHtmlPane(const Rect& rect, const HelpPage& page) {
  if (!pane_.Create(window_, kBrowserPane, rect)) return false;
  ShowHelpPage(page);
  return true;
}

// The system's own file URL of the document, in which a "#" or "%" of a folder's name is
// escaped, followed by the topic's anchor.
void Win32ViewerPlatform::ShowHelpPage(const HelpPage& page) {
  wchar_t url[INTERNET_MAX_URL_LENGTH];
  DWORD length = INTERNET_MAX_URL_LENGTH;
  if (FAILED(UrlCreateFromPathW(page.document.c_str(), url, &length, 0))) return;
  pane_.Navigate(settings::WideToUtf8(url) + page.topic);
}

void Win32ViewerPlatform::Navigate(std::string_view address) { pane_.Navigate(address); }

void Win32ViewerPlatform::ShowMessage(std::string_view title, std::string_view text,
                                      bool errorIcon) {
  MessageBoxW(window_, Utf8ToWide(text).c_str(), Utf8ToWide(title).c_str(),
              MB_OK | (errorIcon ? MB_ICONERROR : 0));
}

std::deque<ViewerEvent> Win32ViewerPlatform::WaitForEvents() {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMilliseconds, QS_ALLINPUT);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (accelerators_ != nullptr && TranslateAcceleratorW(window_, accelerators_, &message)) {
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  std::deque<ViewerEvent> events;
  events.swap(events_);
  if (events.empty()) events.push_back({ViewerEvent::Kind::Idle});
  return events;
}

LRESULT CALLBACK Win32ViewerPlatform::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                                      LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32ViewerPlatform*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr || self->window_ == nullptr) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->Handle(message, wParam, lParam);
}

LRESULT Win32ViewerPlatform::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (lParam == 0) {
        if (id >= kMenuCommandBase) events_.push_back({ViewerEvent::Kind::Menu, id - kMenuCommandBase});
      } else if (HIWORD(wParam) == BN_CLICKED) {
        events_.push_back({ViewerEvent::Kind::Control, id});
      }
      return 0;
    }
    case WM_SIZE:
      if (statusBar_ != nullptr) SendMessageW(statusBar_, WM_SIZE, 0, 0);
      events_.push_back({ViewerEvent::Kind::Resize});
      return 0;
    // The window closes only through the exit steps, which measure it first.
    case WM_CLOSE: events_.push_back({ViewerEvent::Kind::CloseRequest}); return 0;
    default: return DefWindowProcW(window_, message, wParam, lParam);
  }
}

}  // namespace viewer
