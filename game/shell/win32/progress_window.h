// The search's progress window: a small topmost window with one bar, 0 to 81; closing it
// asks the search to stop.
#pragma once

#include <windows.h>

namespace shell_win32 {

class ProgressWindow {
 public:
  // Opens the window over owner, which is disabled until the window closes.
  explicit ProgressWindow(HWND owner);
  // Closes the window and makes the owner the active window again.
  ~ProgressWindow();
  ProgressWindow(const ProgressWindow&) = delete;
  ProgressWindow& operator=(const ProgressWindow&) = delete;

  void SetValue(int value);
  bool CloseRequested() const { return closeRequested_; }
  void RequestClose() { closeRequested_ = true; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND owner_;
  HWND window_ = nullptr;
  HWND bar_ = nullptr;
  bool closeRequested_ = false;
};

}  // namespace shell_win32
