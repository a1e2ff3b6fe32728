// The viewer's HTML pane on Windows: the system web browser control in an "AtlAxWin" child
// window of the ActiveX host library, which is loaded at run time.
#pragma once

#include <windows.h>

#include <exdisp.h>
#include <mshtmhst.h>

#include <string_view>

#include "viewer/controls.h"

namespace viewer {

// Takes the browser's events and the document's host calls: refuses new windows and, once
// asked to, reports every context menu as shown. It lives as long as the pane, which owns it,
// so its reference count only reports.
class BrowserEvents : public IDispatch, public IDocHostUIHandler {
 public:
  bool blockPopups = false;
  bool blockContextMenu = false;
  IWebBrowser2* browser = nullptr;

  // IUnknown, shared by both interfaces.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  // IDispatch: the DWebBrowserEvents2 sink.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters,
                                   VARIANT*, EXCEPINFO*, UINT*) override;

  // IDocHostUIHandler: only the context menu is taken; everything else keeps its default.
  HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override;
  HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*,
                                   IOleInPlaceFrame*, IOleInPlaceUIWindow*) override {
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE HideUI() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE UpdateUI() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE EnableModeless(WINBOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(WINBOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(WINBOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, WINBOOL) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, const GUID*, DWORD) override {
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR*, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget*, IDropTarget**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** external) override;
  HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD, LPWSTR, LPWSTR* out) override;
  HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject*, IDataObject** out) override;

 private:
  void HandDocumentOurHost();
};

class HtmlView {
 public:
  HtmlView() = default;
  ~HtmlView();
  HtmlView(const HtmlView&) = delete;
  HtmlView& operator=(const HtmlView&) = delete;

  // Creates the pane as child id of parent, blank; false when the host library or the
  // browser control cannot be had.
  bool Create(HWND parent, int id, const Rect& rect);
  HWND Window() const { return window_; }

  void Navigate(std::string_view address);
  void GoBack();
  void GoForward();
  void Stop();
  void BlockPopups() { events_.blockPopups = true; }
  void BlockContextMenu() { events_.blockContextMenu = true; }

 private:
  HWND window_ = nullptr;
  IWebBrowser2* browser_ = nullptr;
  IConnectionPoint* eventSource_ = nullptr;
  DWORD eventCookie_ = 0;
  BrowserEvents events_;
};

}  // namespace viewer
