// The HTML pane on Windows: the system web browser control, hosted in a child window of the
// "AtlAxWin" class of the ActiveX host library atl.dll, which is loaded at run time, and
// driven through its IWebBrowser2 interface.
#pragma once

#include <windows.h>

#include <exdisp.h>

#include <memory>
#include <string>

namespace viewer_win32 {

class BrowserEvents;

class BrowserPane {
 public:
  // Null when atl.dll cannot be loaded or the control cannot be created in it.
  static std::unique_ptr<BrowserPane> Create(HWND parent, int id, const RECT& place);
  ~BrowserPane();
  BrowserPane(const BrowserPane&) = delete;
  BrowserPane& operator=(const BrowserPane&) = delete;

  HWND Window() const { return window_; }
  void Navigate(const std::wstring& address);
  // Gives a key message meant for the page to the control first, as an in-place active
  // object expects (Tab between links, Ctrl+C); true when the control has taken it.
  bool TranslateKey(MSG& message);
  void GoBack() { browser_->GoBack(); }
  void GoForward() { browser_->GoForward(); }
  void Stop() { browser_->Stop(); }
  // Requests of a page to open a new window are cancelled from here on.
  void BlockPopups();
  // Each document shown from here on shows no context menu.
  void BlockContextMenu();

 private:
  using GetHostFunction = HRESULT(WINAPI*)(HWND, IUnknown**);
  BrowserPane(HWND window, IWebBrowser2* browser, GetHostFunction getHost);
  void SwitchOffHostContextMenu();

  HWND window_;
  IWebBrowser2* browser_;
  BrowserEvents* events_;
  GetHostFunction getHost_;  // atl.dll's AtlAxGetHost, or null
  DWORD cookie_ = 0;  // of the events' connection; 0 when it could not be made
};

}  // namespace viewer_win32
