// The game's main window on Win32.
#include "game/shell/win32/main_window.h"

#include <commctrl.h>

#include <vector>

#include "game/shell/app.h"
#include "game/shell/board_colors.h"
#include "game/shell/menus.h"
#include "game/shell/win32/focus_ring.h"
#include "common/display/display_scale.h"
#include "common/settings/path_text.h"
#include "common/win32/program_resources.h"

namespace shell_win32 {
namespace {

using settings::Utf8ToWide;
using settings::WideToUtf8;

using namespace engine;

constexpr wchar_t kWindowClass[] = L"DeraduMainWindow";
constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
// Gadget notifications reach the game through the message queue, once the control has
// finished handling the input: a clicked cell has placed its caret, a clicked button has
// released the mouse.
constexpr UINT kGadgetMessage = WM_APP + 1;
enum GadgetEvent : int { kClick, kFocus, kChange };
constexpr int kSwatchSide = 15;

// Only the three colour bytes: a hand-edited value's high byte would otherwise turn the
// COLORREF into a palette index, where the Qt shell ignores it.
COLORREF ToColorRef(Rgb rgb) { return static_cast<COLORREF>(rgb) & 0xFFFFFF; }

// The window size in pixels at dpi for an inner size in pixels: the inner height already
// counts the menu bar.
SIZE WindowSizeFor(int innerWidth, int innerHeight, UINT dpi) {
  RECT frame{0, 0, innerWidth, innerHeight};
  AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE, 0, dpi);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

HBITMAP MakeSwatch(Rgb rgb, UINT dpi) {
  const int side = display::ToDevice(kSwatchSide, static_cast<int>(dpi));
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, side, side);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, side, side};
  HBRUSH brush = CreateSolidBrush(ToColorRef(rgb));
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

bool IsToggle(int id) {
  return (id >= kFirstColumnButton && id < kColorLabel) ||
         (id >= kFirstNumberButton && id <= kClearButton) || id == kMarkButton;
}

}  // namespace

MainWindow::MainWindow(Game& game)
    : game_(game), events_(game, [this] { Render(); }, [this] { ended_ = true; }) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(DERADU_PROGRAM_ICON));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExW(&windowClass);

  BuildMenus();
  // Centred on the primary screen's work area, at that screen's DPI; a window that then finds
  // itself at another DPI takes its size at that one.
  dpi_ = deradu_win32::SystemDpi();
  const SIZE size = OuterSize(game_.window.innerWidth, game_.window.innerHeight);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + (work.right - work.left - size.cx) / 2;
  const int y = work.top + (work.bottom - work.top - size.cy) / 2;
  window_ = CreateWindowExW(0, kWindowClass, Utf8ToWide(game_.window.title).c_str(), kWindowStyle, x,
                            y, size.cx, size.cy, nullptr, menuBar_, instance, this);
  const UINT dpi = GetDpiForWindow(window_);
  if (dpi != 0 && dpi != dpi_) {
    dpi_ = dpi;
    ResizeInner(game_.window.innerWidth, game_.window.innerHeight);
  }
  font_.SetDpi(dpi_);
  icons_.Apply(window_, dpi_);
  BuildGadgets();
  Render();
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
}

MainWindow::~MainWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
  if (accelerators_ != nullptr) DestroyAcceleratorTable(accelerators_);
  for (HBITMAP swatch : swatches_) DeleteObject(swatch);
  for (const auto& [rgb, brush] : brushes_) DeleteObject(brush);
}

void MainWindow::BuildMenus() {
  menuBar_ = CreateMenu();
  for (const shell::Menu& menu : shell::MenuBar()) {
    std::vector<HMENU> open{CreatePopupMenu()};
    std::vector<std::wstring> titles;
    for (const shell::MenuEntry& entry : menu.entries) {
      switch (entry.kind) {
        case shell::MenuEntry::Kind::Separator:
          AppendMenuW(open.back(), MF_SEPARATOR, 0, nullptr);
          break;
        case shell::MenuEntry::Kind::SubmenuBegin:
          open.push_back(CreatePopupMenu());
          titles.push_back(Utf8ToWide(entry.text));
          break;
        case shell::MenuEntry::Kind::SubmenuEnd: {
          HMENU submenu = open.back();
          open.pop_back();
          AppendMenuW(open.back(), MF_POPUP, reinterpret_cast<UINT_PTR>(submenu),
                      titles.back().c_str());
          titles.pop_back();
          break;
        }
        case shell::MenuEntry::Kind::Item:
          // The text after "\t" shows right-aligned as the key hint.
          AppendMenuW(open.back(), MF_STRING, static_cast<UINT_PTR>(entry.id),
                      Utf8ToWide(entry.text).c_str());
          break;
      }
    }
    AppendMenuW(menuBar_, MF_POPUP, reinterpret_cast<UINT_PTR>(open.front()),
                Utf8ToWide(menu.title).c_str());
  }
  ACCEL shortcuts[] = {{FCONTROL | FVIRTKEY, 'Z', static_cast<WORD>(MenuUndo)},
                       {FVIRTKEY, VK_F1, static_cast<WORD>(engine::MenuHelp)}};
  accelerators_ = CreateAcceleratorTableW(shortcuts, 2);
}

HWND MainWindow::AddGadget(int id, const wchar_t* windowClass, const wchar_t* text, DWORD style,
                           DWORD extendedStyle) {
  const Rect rect = display::ToDevice(game_.window.geometry[id], static_cast<int>(dpi_));
  HWND gadget = CreateWindowExW(extendedStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style,
                                rect.x, rect.y, rect.width, rect.height, window_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleW(nullptr), nullptr);
  SendMessageW(gadget, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
  if ((style & WS_TABSTOP) != 0) AddFocusRing(gadget);
  gadgets_[id] = gadget;
  return gadget;
}

void MainWindow::AddTooltip(int id, const wchar_t* text) {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(gadgets_[id]);
  tool.lpszText = const_cast<wchar_t*>(text);
  SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void MainWindow::BuildGadgets() {
  // Toggles keep their state until the game changes it: a click only reports itself.
  constexpr DWORD kToggle = WS_TABSTOP | BS_CHECKBOX | BS_PUSHLIKE;
  for (int k = 0; k < kCellCount; ++k) {
    AddGadget(k, WC_EDITW, L"", WS_TABSTOP | ES_NUMBER | ES_CENTER | ES_AUTOHSCROLL,
              WS_EX_CLIENTEDGE);
  }
  for (int id = kFirstColumnButton; id < kColorLabel; ++id) AddGadget(id, WC_BUTTONW, L"", kToggle);
  AddGadget(kColorLabel, WC_STATICW, L"Color:", SS_LEFT);
  for (int i = 0; i < 9; ++i) {
    AddGadget(kFirstColorButton + i, WC_BUTTONW, L"", WS_TABSTOP | BS_PUSHBUTTON | BS_BITMAP);
  }
  PaintSwatches();
  AddGadget(kNumberLabel, WC_STATICW, L"Number", SS_LEFT);
  for (int i = 0; i < 10; ++i) {
    AddGadget(kFirstNumberButton + i, WC_BUTTONW, Utf8ToWide(game_.window.numberCaptions[i]).c_str(),
              kToggle);
  }
  AddGadget(kMarkButton, WC_BUTTONW, L"M", kToggle);
  tooltips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  AddTooltip(kClearButton, L"Clear a spot");
  AddTooltip(kMarkButton, L"Mark all numbers matching toolbar");
}

void MainWindow::Render() {
  const MainWindowState& state = game_.window;
  const bool first = !shown_.has_value();
  if (first || shown_->title != state.title) SetWindowTextW(window_, Utf8ToWide(state.title).c_str());
  for (int k = 0; k < kCellCount; ++k) RenderCell(k, first);
  typedCell_.reset();
  RenderButtons();
  if (first || shown_->colorLabelColor != state.colorLabelColor) {
    InvalidateRect(gadgets_[kColorLabel], nullptr, TRUE);
  }
  for (const shell::Menu& menu : shell::MenuBar()) {
    for (const shell::MenuEntry& entry : menu.entries) {
      if (!entry.checkable) continue;
      const bool on = state.menuChecks[entry.id];
      if (first || shown_->menuChecks[entry.id] != on) {
        CheckMenuItem(menuBar_, static_cast<UINT>(entry.id),
                      MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
      }
    }
  }
  PlaceGadgets(first);
  accessible_.Render(state, gadgets_);
  shown_ = state;
}

void MainWindow::RenderCell(int k, bool first) {
  const CellGadget& cell = game_.window.cells[k];
  HWND field = gadgets_[k];
  const std::wstring text = Utf8ToWide(cell.text);
  if (WindowText(field) != text || typedCell_ == k) {
    // Text the program writes raises no change event; the caret goes before the first
    // character, as the typing rule of the game expects.
    writingText_ = true;
    SetWindowTextW(field, text.c_str());
    SendMessageW(field, EM_SETSEL, 0, 0);
    writingText_ = false;
  }
  if (!first && (shown_->cells[k].backColor != cell.backColor ||
                 shown_->cells[k].textColor != cell.textColor)) {
    InvalidateRect(field, nullptr, TRUE);
  }
}

void MainWindow::RenderButtons() {
  const MainWindowState& state = game_.window;
  auto check = [this](int id, bool on) {
    if ((SendMessageW(gadgets_[id], BM_GETCHECK, 0, 0) == BST_CHECKED) != on) {
      SendMessageW(gadgets_[id], BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    }
  };
  for (int i = 0; i < 18; ++i) check(kFirstColumnButton + i, state.linePressed[i]);
  for (int i = 0; i < 10; ++i) {
    const int id = kFirstNumberButton + i;
    check(id, state.numberPressed[i]);
    const std::wstring caption = Utf8ToWide(state.numberCaptions[i]);
    if (WindowText(gadgets_[id]) != caption) SetWindowTextW(gadgets_[id], caption.c_str());
  }
  check(kMarkButton, state.markPressed);
  // The chosen colour square is drawn pushed in through its highlight state. A square the
  // player holds down (it has the mouse or the space bar) keeps the look the button gives it.
  for (int i = 0; i < 9; ++i) {
    HWND square = gadgets_[kFirstColorButton + i];
    if (GetCapture() == square) continue;
    const bool pushed = i == state.pushedColorButton;
    if (((SendMessageW(square, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0) != pushed) {
      SendMessageW(square, BM_SETSTATE, pushed, 0);
    }
  }
}

void MainWindow::PlaceGadgets(bool all) {
  const auto& geometry = game_.window.geometry;
  for (int id = 0; id < kGadgetCount; ++id) {
    if (!all && shown_->geometry[id] == geometry[id]) continue;
    const Rect rect = display::ToDevice(geometry[id], static_cast<int>(dpi_));
    MoveWindow(gadgets_[id], rect.x, rect.y, rect.width, rect.height, TRUE);
  }
}

void MainWindow::PaintSwatches() {
  for (int i = 0; i < 9; ++i) {
    HBITMAP swatch = MakeSwatch(TextPalette[i], dpi_);
    SendMessageW(gadgets_[kFirstColorButton + i], BM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(swatch));
    if (swatches_[i] != nullptr) DeleteObject(swatches_[i]);
    swatches_[i] = swatch;
  }
}

void MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  font_.SetDpi(dpi_);
  for (HWND gadget : gadgets_) {
    SendMessageW(gadget, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
  }
  PaintSwatches();
  icons_.Apply(window_, dpi_);
  // The suggested place keeps the inner size in 96-DPI units, so the size event it raises
  // finds the game's size unchanged and stores nothing; the gadgets move to their new pixels
  // here.
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceGadgets(true);
}

HBRUSH MainWindow::Brush(Rgb rgb) {
  auto found = brushes_.find(rgb);
  if (found != brushes_.end()) return found->second;
  HBRUSH brush = CreateSolidBrush(ToColorRef(rgb));
  brushes_.emplace(rgb, brush);
  return brush;
}

LRESULT MainWindow::ColorCell(HDC dc, int k) {
  // COLORREF and the game's colour values share one layout (red in the low byte).
  const shell::BoardDefaults defaults = shell::ResolveBoardDefaults(
      static_cast<Rgb>(GetSysColor(COLOR_WINDOW)), static_cast<Rgb>(GetSysColor(COLOR_WINDOWTEXT)));
  const shell::CellLook look = shell::DrawnCellColors(game_.window.cells[k], defaults);
  SetTextColor(dc, ToColorRef(look.text));
  SetBkColor(dc, ToColorRef(look.back));
  return reinterpret_cast<LRESULT>(Brush(look.back));
}

LRESULT MainWindow::ColorStatic(HDC dc, HWND control) {
  const Rgb label = game_.window.colorLabelColor;
  if (control == gadgets_[kColorLabel] && label != kDefaultColor) {
    SetTextColor(dc, ToColorRef(label));
  } else {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  }
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

SIZE MainWindow::OuterSize(int innerWidth, int innerHeight) const {
  const int dpi = static_cast<int>(dpi_);
  return WindowSizeFor(display::ToDevice(innerWidth, dpi), display::ToDevice(innerHeight, dpi),
                       dpi_);
}

SIZE MainWindow::InnerSize() const {
  RECT outer{};
  GetWindowRect(window_, &outer);
  const SIZE frame = WindowSizeFor(0, 0, dpi_);
  const int dpi = static_cast<int>(dpi_);
  return {display::FromDevice(outer.right - outer.left - frame.cx, dpi),
          display::FromDevice(outer.bottom - outer.top - frame.cy, dpi)};
}

void MainWindow::ResizeInner(int innerWidth, int innerHeight) {
  const SIZE size = OuterSize(innerWidth, innerHeight);
  SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::OnSizeMessage(WPARAM kind) {
  if (kind == SIZE_MINIMIZED) {
    minimized_ = true;
    return;
  }
  const SIZE inner = InnerSize();
  const int width = inner.cx;
  const int height = inner.cy;
  // Coming back from the minimized state lays the gadgets out again and stores the size.
  const bool restored = minimized_;
  minimized_ = false;
  if (!restored && width == game_.window.innerWidth && height == game_.window.innerHeight) return;
  events_.Dispatch([this, width, height] { shell::OnSize(game_, width, height); });
}

void MainWindow::OnControl(int id, int code) {
  if (id < kCellCount) {
    if (code == EN_SETFOCUS) {
      savedFocus_ = gadgets_[id];
      PostMessageW(window_, kGadgetMessage, static_cast<WPARAM>(id), kFocus);
    } else if (code == EN_CHANGE && !writingText_) {
      PostMessageW(window_, kGadgetMessage, static_cast<WPARAM>(id), kChange);
    }
  } else if (code == BN_CLICKED && (IsToggle(id) || (id >= kFirstColorButton && id < kMarkButton))) {
    PostMessageW(window_, kGadgetMessage, static_cast<WPARAM>(id), kClick);
  }
}

void MainWindow::OnGadgetEvent(int id, int kind) {
  switch (kind) {
    case kClick: events_.Dispatch([this, id] { shell::OnGadgetClick(game_, id); }); break;
    case kFocus: events_.Dispatch([this, id] { shell::OnCellFocus(game_, id); }); break;
    case kChange:
      events_.Dispatch([this, id] {
        // The text as it stands when the event is taken, after any keys typed meanwhile.
        shell::OnCellChange(game_, id, WideToUtf8(WindowText(gadgets_[id])));
        typedCell_ = id;
      });
      break;
  }
}

bool MainWindow::MoveFocusOnTab(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
  if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
  const bool backward = GetKeyState(VK_SHIFT) < 0;
  HWND next = GetNextDlgTabItem(window_, GetFocus(), backward);
  if (next != nullptr) SetFocus(next);
  return true;
}

bool MainWindow::PumpEvents() {
  bool any = false;
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    any = true;
    if (message.message == WM_QUIT) {
      ended_ = true;
      break;
    }
    if (TranslateAcceleratorW(window_, accelerators_, &message)) continue;
    if (MoveFocusOnTab(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return any;
}

void MainWindow::RunEventLoop() {
  while (!ended_) {
    // Wakes for the next chore that is due, and only for events while none is.
    const auto delay = shell::NextChoreDelay(game_);
    MsgWaitForMultipleObjectsEx(0, nullptr, delay ? *delay : INFINITE, QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
    PumpEvents();
    // The chores follow every event, and the timeout when nothing happened.
    if (!ended_ && !events_.Busy()) events_.Dispatch([] {});
  }
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_ = window;
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->OnMessage(message, wParam, lParam);
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam == 0) {
        // A menu item, or a keyboard shortcut raising one.
        const int id = LOWORD(wParam);
        if (id < kMenuIdCount) events_.Dispatch([this, id] { shell::OnMenu(game_, id); });
      } else {
        OnControl(LOWORD(wParam), HIWORD(wParam));
      }
      return 0;
    case kGadgetMessage:
      OnGadgetEvent(static_cast<int>(wParam), static_cast<int>(lParam));
      return 0;
    case WM_CTLCOLOREDIT: {
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
      if (id >= 0 && id < kCellCount) return ColorCell(reinterpret_cast<HDC>(wParam), id);
      break;
    }
    case WM_CTLCOLORSTATIC:
      return ColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SIZE:
      OnSizeMessage(wParam);
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_ACTIVATE:
      // The window gives the focus back to the gadget that had it when it was deactivated; a
      // cell then raises its focus event.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window_, focus)) savedFocus_ = focus;
      } else if (!HIWORD(wParam) && savedFocus_ != nullptr && IsWindowEnabled(window_)) {
        SetFocus(savedFocus_);
        return 0;
      }
      break;
    case WM_CLOSE:
      events_.DispatchClose(closeWhileBusy_);
      return 0;
    default: break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace shell_win32
