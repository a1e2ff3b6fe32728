// Measures, for the wine tests, how far the keyboard focus of each gadget kind of the game's
// window stands out from its unfocused look, from the pixels on the screen: for each gadget,
// the pixels that change at 3 : 1 or more when the focus moves onto it from the window, which
// must be at least as many as a line two pixels wide (at 96 DPI) around the gadget holds.
// Prints one line per gadget, and exits 0 when every gadget passes, 1 when one fails, 2 when
// the window or a gadget is missing.
// Usage: focus_contrast [GADGET]: with GADGET, the focus stays on that gadget after.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "common/display/display_scale.h"
#include "game/engine/ids.h"
#include "game/shell/contrast.h"

namespace {

using namespace engine;

std::vector<Rgb> Grab(HWND gadget) {
  RECT rect{};
  GetWindowRect(gadget, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  BitBlt(dc, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  std::vector<Rgb> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  const auto* source = static_cast<const unsigned char*>(bits);
  for (size_t i = 0; i < pixels.size(); ++i) {
    // A DIB pixel is blue, green, red, unused.
    pixels[i] = RgbOf(source[4 * i + 2], source[4 * i + 1], source[4 * i]);
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// Moves the focus, and has the gadget finish the painting that the move asked for.
void Focus(HWND target, HWND gadget) {
  SetFocus(target);
  UpdateWindow(gadget);
}

std::wstring Text(HWND gadget) {
  wchar_t text[16] = L"";
  SendMessageW(gadget, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(text));
  return text;
}

bool Checked(HWND gadget) { return SendMessageW(gadget, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc > 2) return 2;
  SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  // The game's window by its class: its title names the puzzle.
  HWND window = FindWindowW(L"DeraduMainWindow", nullptr);
  if (window == nullptr) return 2;
  // The focus of another program's window moves only for a thread that shares its input.
  AttachThreadInput(GetCurrentThreadId(), GetWindowThreadProcessId(window, nullptr), TRUE);
  auto gadget = [window](int id) { return GetDlgItem(window, id); };

  // The board and the number bar show once start-up has finished: waited for up to 10 s.
  auto chosenNumber = [&] {
    for (int i = 0; i < 10; ++i) {
      if (Checked(gadget(kFirstNumberButton + i))) return i + 1;
    }
    return 0;
  };
  auto showing = [&] {
    for (int k = 0; k < kCellCount; ++k) {
      if (!Text(gadget(k)).empty()) return true;
    }
    return false;
  };
  for (int attempt = 0; attempt < 100 && !(chosenNumber() != 0 && showing()); ++attempt) {
    Sleep(100);
  }
  const int chosen = chosenNumber();
  std::vector<std::wstring> texts(kCellCount);
  for (int k = 0; k < kCellCount; ++k) texts[k] = Text(gadget(k));
  // An empty cell that the chosen number cannot enter (or any, with "X" chosen): its focus
  // leaves it empty, so that only the focus mark changes it.
  auto holds = [&](int k) {
    for (int j = 0; j < kCellCount; ++j) {
      const bool unit = j / 9 == k / 9 || j % 9 == k % 9 ||
                        (j / 27 == k / 27 && j % 9 / 3 == k % 9 / 3);
      if (unit && texts[j] == std::to_wstring(chosen)) return true;
    }
    return false;
  };
  int empty = -1;
  int given = -1;
  for (int k = 0; k < kCellCount; ++k) {
    if (texts[k].empty() && empty < 0 && (chosen == 10 || holds(k))) empty = k;
    if (!texts[k].empty() && given < 0) given = k;
  }
  int chosenSquare = -1;
  for (int i = 0; i < 9; ++i) {
    const LRESULT state = SendMessageW(gadget(kFirstColorButton + i), BM_GETSTATE, 0, 0);
    if ((state & BST_PUSHED) != 0) chosenSquare = kFirstColorButton + i;
  }
  const int otherNumber = kFirstNumberButton + (chosen == 5 ? 5 : 4);
  const struct {
    const char* name;
    int id;
  } gadgets[] = {{"empty cell", empty},
                 {"given", given},
                 {"number", otherNumber},
                 {"chosen number", kFirstNumberButton + chosen - 1},
                 {"X", chosen == 10 ? kFirstNumberButton : kClearButton},
                 {"column toggle", kFirstColumnButton + 2},
                 {"row toggle", kFirstRowButton + 6},
                 {"M", kMarkButton},
                 {"navy square", kFirstColorButton + 5},
                 {"chosen square", chosenSquare}};

  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  int failed = 0;
  for (const auto& [name, id] : gadgets) {
    HWND tested = id < 0 ? nullptr : gadget(id);
    if (tested == nullptr || chosen == 0) {
      std::printf("%s: no such gadget (number %d chosen)\n", name, chosen);
      return 2;
    }
    Focus(window, tested);
    const std::vector<Rgb> unfocused = Grab(tested);
    RECT rect{};
    GetWindowRect(tested, &rect);
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    const int line = display::ToDevice(2, dpi);
    const int ring = w * h - (w - 2 * line) * (h - 2 * line);
    // The focus reaches the gadget at once; its painting follows, waited for up to 5 s.
    Focus(tested, tested);
    int changed = 0;
    double least = 21;
    for (int attempt = 0; attempt < 50 && changed < ring; ++attempt) {
      if (attempt > 0) Sleep(100);
      UpdateWindow(tested);
      const std::vector<Rgb> focused = Grab(tested);
      changed = 0;
      least = 21;
      for (size_t i = 0; i < focused.size() && i < unfocused.size(); ++i) {
        const double apart = shell::ContrastRatio(focused[i], unfocused[i]);
        if (apart >= shell::kDistinctState) {
          ++changed;
          least = std::min(least, apart);
        }
      }
    }
    const bool focusHeld = GetFocus() == tested;
    const bool unchanged = id >= kCellCount || Text(tested) == texts[id];
    const bool pass = focusHeld && unchanged && changed >= ring;
    std::printf("%s (gadget %d, %dx%d): %d pixels changed at 3 : 1 or more, the least by %.2f : 1;"
                " a %d-pixel ring holds %d%s%s: %s\n",
                name, id, w, h, changed, changed > 0 ? least : 0.0, line, ring,
                focusHeld ? "" : "; the focus went elsewhere",
                unchanged ? "" : "; its text changed", pass ? "pass" : "FAIL");
    if (!pass) ++failed;
  }
  Focus(argc == 2 ? gadget(static_cast<int>(wcstol(argv[1], nullptr, 10))) : window, window);
  return failed == 0 ? 0 : 1;
}
